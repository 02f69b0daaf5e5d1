#pragma once

#include <array>
#include <cstdint>

#include "melodex/midi_platform.h"

namespace melodex {

// The state every MidiControl of the process shares: the output handle of the
// last OpenHandle (never cleared, so later sends on a closed output fail with
// the service's invalid-handle result), the three fields of the channel
// message being sent, and the patch and pan last set per channel.
struct SharedOutput {
  MidiHandle handle = 0;
  std::int32_t msgStatus = 0;
  std::int32_t msgData1 = 0;
  std::int32_t msgData2 = 0;
  std::array<std::int32_t, 17> patchTable{};
  std::array<std::int32_t, 17> panTable{};
};

SharedOutput& sharedOutput();

}  // namespace melodex
