#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "tune/tune_index.h"
#include "tune/tune_parser.h"

namespace corvale {

// The shortest text that reads back to the same double: 1 prints "1", 2 × 0.666 "1.332".
std::string formatNumber(double value);

// ChosenTune for a tune number of any length of digits. Numbers past the last tune of the
// file (even past every integer type) all name the same blank tune after the end.
std::uint64_t chosenTuneFromDigits(std::string_view digits);

// The digits without leading zeros ("0" for zero).
std::string canonicalTuneNumber(std::string_view digits);

// index<TAB>n<TAB>title, one line per tune list entry: n the tune it plays, the title
// with its control characters escaped.
void writeTuneIndex(const std::vector<TuneListEntry>& tuneIndex, std::string_view text, std::ostream& out);

// tune, key, lines and one event line per row of one play.
void writeParsedTune(std::string_view tuneNumber, const ParsedTune& tune, std::ostream& out);

// The whole tool ("--standard" anywhere reads under the standard ABC reading): returns the exit status (0, or 2 for a bad command line or file).
int runTuneDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvale
