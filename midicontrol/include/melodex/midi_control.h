#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "melodex/control.h"
#include "melodex/host.h"
#include "melodex/variant.h"

namespace melodex {

class ControlFace;

// The MIDI output control: opens one output of the MIDI service, sends
// channel messages, plays timed notes in beats of BPM, and remembers the
// patch, pan and pitch bend last given per channel. The output handle and
// the patch and pan tables are shared by every instance in the process.
//
// Hosts reach it through Invoke by member identifier (member_ids.h); the
// typed members below are the same calls for C++ code and tests. Misuse
// throws RuntimeError with the numbers the dispatch interface raises.
class MidiControl final : public Control {
 public:
  // Size of the face in twips; Resize always snaps back to it.
  static constexpr int kWidthTwips = 1935;
  static constexpr int kHeightTwips = 870;

  // Creation: resets the shared patch and pan tables of channels 1..16 and
  // counts the MIDI outputs present. Builds the face only if the host has a window.
  explicit MidiControl(Host& host);
  // Destruction closes the shared output handle once more, ignoring the result.
  ~MidiControl() override;
  MidiControl(const MidiControl&) = delete;
  MidiControl& operator=(const MidiControl&) = delete;

  std::int32_t OpenHandle(std::int32_t deviceId = 0);
  void CloseHandle();
  std::int32_t PlayNote(const Variant& note, const Variant& velocity, const Variant& channel,
                        double duration = 0.0);
  std::int32_t SendShortMsg(std::int32_t midiMsg);
  void ChangePatch(std::int32_t channel, std::int32_t patch);
  std::int32_t GetPatch(std::int32_t channel) const;
  void StopNote(const Variant& note, const Variant& channel);
  void ChangePan(std::int32_t channel, std::int32_t pan);
  std::int32_t GetPan(std::int32_t channel) const;
  std::int32_t BendPitch(std::int32_t channel, std::int32_t pitch);
  std::int32_t GetPitchBend(std::int32_t channel) const;
  std::string GetDevName(std::int32_t deviceId);
  std::int32_t GetDevType(std::int32_t deviceId);
  // Shows the About box modally; does nothing for a host with no window.
  void About();

  const std::string& MidiError() const { return midiError_; }
  void SetMidiError(const std::string& newMidiError);
  std::int32_t BPM() const { return bpm_; }
  void SetBPM(std::int32_t newBpm);
  std::int32_t DeviceCount() const { return deviceCount_; }
  void SetDeviceCount(std::int32_t newDeviceCount);
  std::int32_t CurrentDevice() const { return currentDevice_; }
  void SetCurrentDevice(std::int32_t newCurrentDevice);

  Variant Invoke(std::int32_t memberId, InvokeKind kind, std::span<Variant> args) override;

  void InitProperties() override;
  void ReadProperties() override;
  void WriteProperties() override;
  void Resize(int widthTwips, int heightTwips) override;
  int widthTwips() const override { return widthTwips_; }
  int heightTwips() const override { return heightTwips_; }
  QWidget* face() override;

 private:
  static constexpr std::size_t kTableSize = 17;  // channels 1..16 plus an unused entry 0

  Variant invokeMethod(std::int32_t memberId, std::span<Variant> args);
  Variant invokeProperty(std::int32_t memberId, InvokeKind kind, std::span<Variant> args);
  void waitUntil(std::int64_t deadlineMicroseconds);
  void waitForOutput(std::int32_t platformDevice);
  std::int64_t noteStart(std::int64_t sentAt, std::int64_t length);

  Host& host_;
  std::array<std::int32_t, kTableSize> pitchBendTable_{};
  std::string midiError_ = "0";
  std::int32_t bpm_ = 100;
  // Where the last timed note's wait ended, for the next note to start from.
  std::int64_t lastDeadline_ = 0;
  bool lastWaitReachedDeadline_ = false;
  std::int32_t detectedDeviceCount_ = 0;
  std::int32_t deviceCount_ = 0;
  std::int32_t currentDevice_ = 0;
  int widthTwips_ = kWidthTwips;
  int heightTwips_ = kHeightTwips;
  std::unique_ptr<ControlFace> face_;
};

// Trims a device name in place, dropping trailing characters whose code is
// below 32 or above 126 (NUL padding, line ends), and returns the trimmed copy.
// Blanks are kept.
std::string TrimName(std::string& name);

}  // namespace melodex
