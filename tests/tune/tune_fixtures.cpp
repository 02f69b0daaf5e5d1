#include "tune_fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tune_dump.h"

namespace corvale::testing {

std::string repeated(std::string_view text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

DumpResult runDump(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = runTuneDump(args, out, err);
  return {status, out.str(), err.str()};
}

DumpResult dumpTunes(std::string_view fileText, std::vector<std::string> tuneNumbers,
                     const std::vector<std::string>& options) {
  // A file of its own per call and process: ctest may run these tests side by side.
  static int calls = 0;
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
      ("corvale-tune-" + std::to_string(::getpid()) + "-" + std::to_string(calls++) + ".abc");
  std::ofstream(path, std::ios::binary) << fileText;
  tuneNumbers.insert(tuneNumbers.begin(), path.string());
  tuneNumbers.insert(tuneNumbers.begin(), options.begin(), options.end());
  DumpResult result = runDump(tuneNumbers);
  std::filesystem::remove(path);
  return result;
}

std::string rowsOf(const std::string& dumpOutput) {
  std::istringstream lines(dumpOutput);
  std::string line;
  std::string rows;
  while (std::getline(lines, line)) {
    std::string tag, note, velocity, channel, duration;
    std::istringstream(line) >> tag >> note >> velocity >> channel >> duration;
    if (tag != "event") continue;
    if (!rows.empty()) rows += ' ';
    rows += (velocity == "0" ? "rest" : note) + ':' + duration;
  }
  return rows;
}

void expectPlays(std::initializer_list<Play> plays) {
  for (const Play& play : plays) {
    SCOPED_TRACE("K:" + play.key + " body: " + play.body);
    EXPECT_EQ(rowsOf(dumpTunes("X:1\nT:T\nK:" + play.key + "\n" + play.body + "\n", {"1"}).out), play.rows);
  }
}

}  // namespace corvale::testing
