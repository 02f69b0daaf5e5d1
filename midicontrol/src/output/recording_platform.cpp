#include "melodex/recording_platform.h"

#include <algorithm>

namespace melodex {

RecordingPlatform::RecordingPlatform(const Clock& clock) : clock_(clock) {}

int RecordingPlatform::open(std::int32_t deviceNumber, MidiHandle& handle) {
  handle = 0;
  if (openResult_ == kMidiOk) {
    handle = nextHandle_++;
    openHandles_.push_back(handle);
  }
  calls_.push_back({RecordedCall::Kind::Open, deviceNumber, 0, handle, clock_.nowMicroseconds(), openResult_});
  return openResult_;
}

int RecordingPlatform::close(MidiHandle handle) {
  const auto open = std::find(openHandles_.begin(), openHandles_.end(), handle);
  int result = kMidiInvalidHandle;
  if (open != openHandles_.end()) {
    openHandles_.erase(open);
    result = kMidiOk;
  }
  calls_.push_back({RecordedCall::Kind::Close, 0, 0, handle, clock_.nowMicroseconds(), result});
  return result;
}

int RecordingPlatform::send(MidiHandle handle, std::int32_t word) {
  const bool isOpen = std::find(openHandles_.begin(), openHandles_.end(), handle) != openHandles_.end();
  const int result = isOpen ? kMidiOk : kMidiInvalidHandle;
  calls_.push_back({RecordedCall::Kind::Send, 0, word, handle, clock_.nowMicroseconds(), result});
  return result;
}

std::uint32_t RecordingPlatform::deviceCount() { return static_cast<std::uint32_t>(devices_.size()); }

int RecordingPlatform::deviceCaps(std::int32_t deviceNumber, MidiDeviceCaps& caps) {
  if (deviceNumber < 0 || static_cast<std::size_t>(deviceNumber) >= devices_.size()) return kMidiBadDevice;
  caps = devices_[static_cast<std::size_t>(deviceNumber)];
  return kMidiOk;
}

std::string RecordingPlatform::lastOpenProblem() const {
  return openResult_ == kMidiOk ? std::string{} : "the recording output was told to refuse opens";
}

std::vector<std::int32_t> RecordingPlatform::sentWords() const {
  std::vector<std::int32_t> words;
  for (const RecordedCall& call : calls_) {
    if (call.kind == RecordedCall::Kind::Send) words.push_back(call.word);
  }
  return words;
}

}  // namespace melodex
