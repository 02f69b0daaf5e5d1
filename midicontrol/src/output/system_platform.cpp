#include "system_platform.h"

#include <stdexcept>

#include "fluid_synth_output.h"
#include "melodex/sound_output.h"

namespace melodex {

namespace {
constexpr std::size_t kNameFieldLength = 32;  // the last character is always NUL
}

int SystemPlatform::open(std::int32_t deviceNumber, MidiHandle& handle) {
  handle = 0;
  lastOpenProblem_.clear();
  if (deviceNumber == -1) {
    const int routed = routedPort();
    if (routed >= 0) deviceNumber = routed;
  }
  if (deviceNumber == -1) {
    const int result = FluidSynthOutput::shared().open(lastOpenProblem_);
    if (result != kMidiOk) return result;
    handle = nextHandle_++;
    open_.emplace(handle, nullptr);
    ++builtInHandles_;
    return kMidiOk;
  }
  if (deviceNumber < 0 || static_cast<std::uint32_t>(deviceNumber) >= deviceCount()) {
    lastOpenProblem_ = "there is no MIDI output number " + std::to_string(deviceNumber);
    return kMidiBadDevice;
  }
  try {
    auto port = std::make_unique<AlsaPortOutput>(static_cast<unsigned int>(deviceNumber));
    handle = nextHandle_++;
    open_.emplace(handle, std::move(port));
    return kMidiOk;
  } catch (const std::exception& error) {
    lastOpenProblem_ = error.what();
    return kMidiError;
  }
}

int SystemPlatform::close(MidiHandle handle) {
  const auto output = open_.find(handle);
  if (output == open_.end()) return kMidiInvalidHandle;
  if (!output->second) {
    FluidSynthOutput::shared().close();
    --builtInHandles_;
  }
  open_.erase(output);
  return kMidiOk;
}

int SystemPlatform::send(MidiHandle handle, std::int32_t word) {
  const auto output = open_.find(handle);
  if (output == open_.end()) return kMidiInvalidHandle;
  if (output->second) return output->second->send(word);
  FluidSynthOutput::shared().send(word);
  return kMidiOk;
}

int SystemPlatform::sendAt(MidiHandle handle, std::int32_t word, std::int64_t atMicroseconds) {
  const auto output = open_.find(handle);
  if (output == open_.end()) return kMidiInvalidHandle;
  if (output->second) return output->second->send(word);
  FluidSynthOutput::shared().sendAt(word, atMicroseconds);
  return kMidiOk;
}

std::int64_t SystemPlatform::heardDelayMicroseconds() const {
  return builtInHandles_ > 0 ? FluidSynthOutput::shared().heardDelayMicroseconds() : 0;
}

bool SystemPlatform::readyToOpen(std::int32_t deviceNumber) {
  return deviceNumber != -1 || !defaultOutputRoute().empty() || FluidSynthOutput::shared().ready();
}

// The sequencer port the default output is routed to, if it is present.
int SystemPlatform::routedPort() {
  const std::string& route = defaultOutputRoute();
  if (route.empty()) return -1;
  const auto names = AlsaPortOutput::portNames();
  for (std::size_t port = 0; port < names.size(); ++port) {
    if (names[port] == route) return static_cast<int>(port);
  }
  return -1;
}

std::uint32_t SystemPlatform::deviceCount() {
  return static_cast<std::uint32_t>(AlsaPortOutput::portNames().size());
}

int SystemPlatform::deviceCaps(std::int32_t deviceNumber, MidiDeviceCaps& caps) {
  if (deviceNumber == -1) {
    caps.productName = "Built-in synthesiser";
    caps.technology = kSoftwareSynthesiser;
    return kMidiOk;
  }
  const auto names = AlsaPortOutput::portNames();
  if (deviceNumber < 0 || static_cast<std::size_t>(deviceNumber) >= names.size()) return kMidiBadDevice;
  caps.productName = names[static_cast<std::size_t>(deviceNumber)].substr(0, kNameFieldLength - 1);
  caps.technology = kHardwarePort;
  return kMidiOk;
}

}  // namespace melodex
