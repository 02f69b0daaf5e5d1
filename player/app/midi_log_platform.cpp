#include "player/app/midi_log_platform.h"

#include <cinttypes>
#include <cstdlib>
#include <stdexcept>

namespace corvale {

MidiLogPlatform::MidiLogPlatform(const std::string& logPath) : log_(std::fopen(logPath.c_str(), "w")) {
  if (!log_) throw std::runtime_error("cannot write the MIDI log " + logPath);
}

MidiLogPlatform::~MidiLogPlatform() { std::fclose(log_); }

void MidiLogPlatform::writeLine(const std::string& line) {
  std::fputs((line + "\n").c_str(), log_);
  std::fflush(log_);
}

int MidiLogPlatform::open(std::int32_t deviceNumber, melodex::MidiHandle& handle) {
  writeLine("open " + std::to_string(deviceNumber));
  openHandle_ = handle = nextHandle_++;
  return melodex::kMidiOk;
}

int MidiLogPlatform::close(melodex::MidiHandle handle) {
  writeLine("close");
  if (handle == 0 || handle != openHandle_) return melodex::kMidiInvalidHandle;
  openHandle_ = 0;
  return melodex::kMidiOk;
}

int MidiLogPlatform::send(melodex::MidiHandle handle, std::int32_t word) {
  char text[32];
  std::snprintf(text, sizeof text, "send 0x%08" PRIx32, static_cast<std::uint32_t>(word));
  writeLine(text);
  return handle != 0 && handle == openHandle_ ? melodex::kMidiOk : melodex::kMidiInvalidHandle;
}

int MidiLogPlatform::deviceCaps(std::int32_t, melodex::MidiDeviceCaps&) { return melodex::kMidiBadDevice; }

void installMidiLogFromEnvironment() {
  const char* logPath = std::getenv("CORVALE_MIDI_LOG");
  if (logPath && *logPath) melodex::installPlatform(std::make_shared<MidiLogPlatform>(logPath));
}

}  // namespace corvale
