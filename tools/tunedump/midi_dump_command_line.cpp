#include "midi_dump_command_line.h"

#include <charconv>

#include "dump_command_line.h"

namespace corvale {
namespace {

constexpr const char* kUsage =
    "usage: tunedump --midi [--tempo T] [--replays R] [--instrument FIDDLE|BANJO] FILE N";

// A slider value: whole and within the slider's range, as the window allows.
int sliderValue(const std::string& option, const std::string& text, int lowest, int highest) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!isAllDigits(text) || result.ec != std::errc() || value < lowest || value > highest) {
    throw DumpUsageError(option + " takes a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not \"" + text + "\"");
  }
  return value;
}

}  // namespace

MidiDumpCommandLine parseMidiDumpCommandLine(const std::vector<std::string>& args) {
  MidiDumpCommandLine commandLine;
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = arg == "--tempo" || arg == "--replays" || arg == "--instrument";
    if (!isOption) {
      if (arg.rfind("--", 0) == 0) throw DumpUsageError("unknown option \"" + arg + "\" (" + kUsage + ")");
      operands.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) throw DumpUsageError(arg + " needs a value (" + kUsage + ")");
    const std::string& value = args[++i];
    if (arg == "--tempo") {
      commandLine.tempo = sliderValue(arg, value, 1, 30);
    } else if (arg == "--replays") {
      commandLine.replays = sliderValue(arg, value, 0, 99);
    } else if (value == "FIDDLE" || value == "BANJO") {
      commandLine.instrument = value;
    } else {
      throw DumpUsageError("--instrument takes FIDDLE or BANJO, not \"" + value + "\"");
    }
  }
  if (operands.size() != 2 || operands[0].empty()) throw DumpUsageError(std::string("a FILE and one N are needed (") + kUsage + ")");
  commandLine.file = operands[0];
  if (!isAllDigits(operands[1])) {
    throw DumpUsageError(commandLine.file.string() + ": tune number \"" + operands[1] + "\" is not all digits");
  }
  commandLine.tuneNumber = operands[1];
  return commandLine;
}

}  // namespace corvale
