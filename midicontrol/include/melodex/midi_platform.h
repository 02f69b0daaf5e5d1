#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace melodex {

// Result codes of the MIDI output service, numbered as hosts expect them.
enum MidiResult : int {
  kMidiOk = 0,
  kMidiError = 1,
  kMidiBadDevice = 2,
  kMidiNotEnabled = 3,
  kMidiAllocated = 4,
  kMidiInvalidHandle = 5,
  kMidiNoDriver = 6,
  kMidiNoMemory = 7,
};

// What the service tells of one output device: a product-name field of 32
// characters (NUL padded) and a technology code.
struct MidiDeviceCaps {
  std::string productName;  // exactly as the 32-character field holds it
  std::int16_t technology = 0;
};

using MidiHandle = std::uint64_t;  // 0 is the empty handle

// The platform's MIDI output service: everything the control asks of the
// system goes through this one seam. Device -1 is the default output; 0..n-1
// are the other outputs. A handle stays valid until closed; sends on an empty
// or closed handle give kMidiInvalidHandle.
class MidiPlatform {
 public:
  virtual ~MidiPlatform() = default;
  virtual int open(std::int32_t deviceNumber, MidiHandle& handle) = 0;
  virtual int close(MidiHandle handle) = 0;
  virtual int send(MidiHandle handle, std::int32_t word) = 0;
  // Sends `word` to sound at `atMicroseconds` on the control's clock rather
  // than at once. An output that cannot hold a word back sends it now; the
  // words and their order are those of send either way.
  virtual int sendAt(MidiHandle handle, std::int32_t word, std::int64_t /*atMicroseconds*/) {
    return send(handle, word);
  }
  virtual std::uint32_t deviceCount() = 0;
  virtual int deviceCaps(std::int32_t deviceNumber, MidiDeviceCaps& caps) = 0;
  // Why the last open failed, in words a musician understands ("no General
  // MIDI SoundFont is installed", "no audio output could be started: ...");
  // empty after a successful open.
  virtual std::string lastOpenProblem() const = 0;
  // False while the device is still being made ready (the built-in
  // synthesiser loading its SoundFont): an open now would have to wait.
  virtual bool readyToOpen(std::int32_t /*deviceNumber*/) { return true; }
};

// The platform every control of the process uses. By default the system's
// (built-in synthesiser for device -1, ALSA sequencer ports for the others);
// tests and tools install another, such as a RecordingPlatform.
// installPlatform returns the platform it replaces (empty when none was made
// yet), so that a caller that records for a while can put it back.
MidiPlatform& currentPlatform();
std::shared_ptr<MidiPlatform> installPlatform(std::shared_ptr<MidiPlatform> platform);

// Installs `platform` for a while, as for a play recorded with no window
// while the window's own play may be under way: on going away it puts back
// the platform before and the controls' shared output state (the open handle,
// the message fields, the patch and pan tables), so that play goes on as if
// nothing had happened.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(std::shared_ptr<MidiPlatform> platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  struct Saved;
  std::unique_ptr<Saved> saved_;
};

}  // namespace melodex
