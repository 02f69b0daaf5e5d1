#include "player/app/output_ports.h"

#include <array>

#include "melodex/member_ids.h"

namespace corvale {
namespace {

// An ALSA sequencer has at most this many ports worth listing in a menu.
constexpr std::int32_t kMostPorts = 128;

std::string deviceName(melodex::Dispatch& midix, std::int32_t deviceId) {
  std::array<melodex::Variant, 1> id{deviceId};
  return melodex::toText(midix.Invoke(melodex::member::GetDevName, melodex::InvokeKind::Method, id));
}

}  // namespace

std::vector<OutputPort> listOutputPorts(melodex::Dispatch& midix) {
  const std::int32_t counted =
      melodex::toInt32(midix.Invoke(melodex::member::DeviceCount, melodex::InvokeKind::PropertyGet, {}));
  std::vector<OutputPort> ports;
  for (std::int32_t id = 1; id <= kMostPorts; ++id) {
    std::string name = deviceName(midix, id);
    // Past the counted ones, the first nameless device ends the list.
    if (name.empty() && id > counted) break;
    if (!name.empty()) ports.push_back({id, std::move(name)});
  }
  return ports;
}

void setCurrentDevice(melodex::Dispatch& midix, std::int32_t deviceId) {
  std::array<melodex::Variant, 1> value{deviceId};
  midix.Invoke(melodex::member::CurrentDevice, melodex::InvokeKind::PropertyPut, value);
}

}  // namespace corvale
