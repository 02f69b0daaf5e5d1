#include "dump_command_line.h"

#include <algorithm>
#include <ostream>

#include "tune/tune_file.h"

namespace corvale {

bool isAllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

DumpCommandLine parseDumpCommandLine(const std::vector<std::string>& args) {
  if (args.empty() || args.front().empty()) {
    throw DumpUsageError("no tune file given (usage: tunedump FILE [N...])");
  }
  DumpCommandLine commandLine;
  commandLine.file = args.front();
  for (auto arg = args.begin() + 1; arg != args.end(); ++arg) {
    if (!isAllDigits(*arg)) {
      throw DumpUsageError(commandLine.file.string() + ": tune number \"" + *arg + "\" is not all digits");
    }
    commandLine.tuneNumbers.push_back(*arg);
  }
  return commandLine;
}

int runTellingBadInput(std::ostream& err, const std::function<int()>& mode) {
  try {
    return mode();
  } catch (const DumpUsageError& error) {
    err << "tunedump: " << error.what() << '\n';
  } catch (const TuneFileError& error) {
    err << "tunedump: " << error.what() << '\n';
  }
  return 2;
}

}  // namespace corvale
