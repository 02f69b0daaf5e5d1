#pragma once

#include <cstdint>
#include <vector>

#include "melodex/clock.h"
#include "melodex/midi_platform.h"

namespace melodex {

// One call the control made on the MIDI service, with the clock's time.
struct RecordedCall {
  enum class Kind { Open, Send, Close };
  Kind kind;
  std::int32_t device = 0;  // Open: the device number asked for
  std::int32_t word = 0;    // Send: the message word
  MidiHandle handle = 0;
  std::int64_t timeMicroseconds = 0;
  int result = 0;
};

// A MIDI service that records instead of sounding: it logs every open, send
// and close, whether or not an output is open, and answers with result codes
// a test chooses. By default opens succeed and sends on an open handle give
// 0, on an empty or closed one kMidiInvalidHandle.
class RecordingPlatform final : public MidiPlatform {
 public:
  explicit RecordingPlatform(const Clock& clock);

  int open(std::int32_t deviceNumber, MidiHandle& handle) override;
  int close(MidiHandle handle) override;
  int send(MidiHandle handle, std::int32_t word) override;
  std::uint32_t deviceCount() override;
  int deviceCaps(std::int32_t deviceNumber, MidiDeviceCaps& caps) override;
  std::string lastOpenProblem() const override;

  void setOpenResult(int result) { openResult_ = result; }
  void setDevices(std::vector<MidiDeviceCaps> devices) { devices_ = std::move(devices); }

  const std::vector<RecordedCall>& calls() const { return calls_; }
  std::vector<std::int32_t> sentWords() const;
  void clear() { calls_.clear(); }

 private:
  const Clock& clock_;
  int openResult_ = kMidiOk;
  std::vector<MidiDeviceCaps> devices_;
  std::vector<RecordedCall> calls_;
  std::vector<MidiHandle> openHandles_;
  MidiHandle nextHandle_ = 1;
};

}  // namespace melodex
