#include <string>

#include "melodex/midi_control.h"
#include "melodex/runtime_error.h"

namespace melodex {

namespace {
constexpr const char* kMidiErrorName = "MidiError";
constexpr const char* kBpmName = "BPM";
constexpr const char* kDeviceCountName = "DeviceCount";
constexpr const char* kCurrentDeviceName = "CurrentDevice";
constexpr std::int32_t kDefaultBpm = 100;
const std::string kDefaultMidiError = "0";
}  // namespace

void MidiControl::SetMidiError(const std::string& newMidiError) {
  if (!host_.userMode()) {
    throw RuntimeError(kSetNotAllowedAtDesignTime, "MidiError cannot be set at design time");
  }
  midiError_ = newMidiError;
  host_.propertyChanged(kMidiErrorName);
}

void MidiControl::SetBPM(std::int32_t newBpm) {
  bpm_ = newBpm;
  host_.propertyChanged(kBpmName);
}

// DeviceCount always shows the outputs counted when the control was created
// (or those of a saved design): it cannot be set in either mode.
void MidiControl::SetDeviceCount(std::int32_t) {
  if (!host_.userMode()) throw RuntimeError(kSetNotAllowed, "DeviceCount is read-only");
  if (host_.userMode()) throw RuntimeError(kSetNotAllowedAtRunTime, "DeviceCount cannot be set at run time");
}

void MidiControl::SetCurrentDevice(std::int32_t newCurrentDevice) {
  currentDevice_ = newCurrentDevice;
  host_.propertyChanged(kCurrentDeviceName);
}

void MidiControl::InitProperties() {
  midiError_ = kDefaultMidiError;
  bpm_ = kDefaultBpm;
  deviceCount_ = detectedDeviceCount_;
  currentDevice_ = 0;
}

// Each value is converted before any is kept, so a saved design that cannot
// be read leaves the control as it was and the store's error reaches the host.
void MidiControl::ReadProperties() {
  PropertyStore& store = host_.propertyStore();
  std::string midiError = toText(store.read(kMidiErrorName, Variant{kDefaultMidiError}));
  const std::int32_t bpm = toInt32(store.read(kBpmName, Variant{kDefaultBpm}));
  const std::int32_t deviceCount = toInt32(store.read(kDeviceCountName, Variant{detectedDeviceCount_}));
  const std::int32_t currentDevice = toInt32(store.read(kCurrentDeviceName, Variant{std::int32_t{0}}));
  midiError_ = std::move(midiError);
  bpm_ = bpm;
  deviceCount_ = deviceCount;
  currentDevice_ = currentDevice;
}

void MidiControl::WriteProperties() {
  PropertyStore& store = host_.propertyStore();
  store.write(kMidiErrorName, Variant{midiError_}, Variant{kDefaultMidiError});
  store.write(kBpmName, Variant{bpm_}, Variant{kDefaultBpm});
  store.write(kDeviceCountName, Variant{deviceCount_}, Variant{detectedDeviceCount_});
  store.write(kCurrentDeviceName, Variant{currentDevice_}, Variant{std::int32_t{0}});
}

// The face has one fixed size, whatever size the host asks for.
void MidiControl::Resize(int, int) {
  widthTwips_ = kWidthTwips;
  heightTwips_ = kHeightTwips;
}

}  // namespace melodex
