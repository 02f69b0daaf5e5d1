#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::testing {

// `text` written `times` times over.
std::string repeated(std::string_view text, int times);

struct DumpResult {
  int status;
  std::string out;
  std::string err;
};

// Runs tunedump with these arguments, as the command line would.
DumpResult runDump(const std::vector<std::string>& args);

// Runs tunedump on `fileText` with these tune numbers, as the command line would;
// `options` ("--midi", "--tempo 30", ...) come before the file.
DumpResult dumpTunes(std::string_view fileText, std::vector<std::string> tuneNumbers,
                     const std::vector<std::string>& options = {});

// The event lines of tunedump's output, compactly: "60:1 62:0.5", a silent row as "rest:2".
std::string rowsOf(const std::string& dumpOutput);

// A tune body and the rows tunedump prints for it under the header X:1, T:T, K:`key`.
struct Play {
  std::string body;
  std::string rows;
  std::string key = "C";
};

void expectPlays(std::initializer_list<Play> plays);

}  // namespace corvale::testing
