#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "melodex/midi_platform.h"

namespace corvale {

// Test hook: with CORVALE_MIDI_LOG=FILE in its environment, corvale sends
// nothing to a synthesiser and writes one line per call on the MIDI service
// to FILE instead ("open -1", "send 0x00403c90", "close"), each written out at
// once, so that a test running corvale as a child process can see which
// words went out before it ended.
class MidiLogPlatform final : public melodex::MidiPlatform {
 public:
  explicit MidiLogPlatform(const std::string& logPath);
  ~MidiLogPlatform() override;
  MidiLogPlatform(const MidiLogPlatform&) = delete;
  MidiLogPlatform& operator=(const MidiLogPlatform&) = delete;

  int open(std::int32_t deviceNumber, melodex::MidiHandle& handle) override;
  int close(melodex::MidiHandle handle) override;
  int send(melodex::MidiHandle handle, std::int32_t word) override;
  std::uint32_t deviceCount() override { return 0; }
  int deviceCaps(std::int32_t deviceNumber, melodex::MidiDeviceCaps& caps) override;
  std::string lastOpenProblem() const override { return {}; }

 private:
  void writeLine(const std::string& line);

  std::FILE* log_;
  melodex::MidiHandle openHandle_ = 0;
  melodex::MidiHandle nextHandle_ = 1;
};

// Installs a MidiLogPlatform when CORVALE_MIDI_LOG names a file; otherwise nothing changes.
void installMidiLogFromEnvironment();

}  // namespace corvale
