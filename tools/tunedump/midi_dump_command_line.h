#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvale {

// What `tunedump --midi` was asked to play: tune N of FILE with the sliders
// and the instrument button as the window starts, unless given.
struct MidiDumpCommandLine {
  std::filesystem::path file;
  std::string tuneNumber;  // all digits, as written
  int tempo = 11;
  int replays = 0;
  std::string instrument = "FIDDLE";
};

// `args` are the arguments after "--midi". Throws DumpUsageError for an
// unknown option, a value out of the slider's range, or a missing FILE or N.
MidiDumpCommandLine parseMidiDumpCommandLine(const std::vector<std::string>& args);

}  // namespace corvale
