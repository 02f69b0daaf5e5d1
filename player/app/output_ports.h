#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "melodex/dispatch.h"

namespace corvale {

// Tells the musician something in the window's message area.
using ShowMessage = std::function<void(const std::string&)>;

// One MIDI output other than the built-in synthesiser, as the control names it.
struct OutputPort {
  std::int32_t deviceId;  // 1.. : the control's device identifier
  std::string name;
};

// The outputs present now, asked of the control by member identifier: its
// DeviceCount, and GetDevName for each device, looking past that count for
// outputs that came since the control counted them.
std::vector<OutputPort> listOutputPorts(melodex::Dispatch& midix);

// Sets the control's CurrentDevice: 0 for the built-in synthesiser.
void setCurrentDevice(melodex::Dispatch& midix, std::int32_t deviceId);

}  // namespace corvale
