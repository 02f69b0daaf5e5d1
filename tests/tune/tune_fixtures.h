#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tune/tune_parser.h"

namespace corvale::testing {

// Reads `fileText` as a tune file and parses one tune of it.
ParsedTune parseTune(const std::string& fileText, std::uint64_t tune = 1);

// The rows of a parse, compactly: "60:1 62:0.5", a silent row as "rest:2".
std::string rowsOf(const ParsedTune& tune);

// The rows of a one-tune file with header X:1, T:T, K:`key`, and `body` as its body.
std::string playBody(std::string_view body, std::string_view key = "C");

struct DumpResult {
  int status;
  std::string out;
  std::string err;
};

// Runs tunedump on `fileText` with these tune numbers, as the command line would.
DumpResult dumpTunes(std::string_view fileText, const std::vector<std::string>& tuneNumbers);

// The note numbers of the "event" lines of tunedump's output, space-separated.
std::string dumpedNotes(const std::string& dumpOutput);

}  // namespace corvale::testing
