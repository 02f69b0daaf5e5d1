#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "player/library/tune_set.h"
#include "tune/tune_parser.h"

namespace corvale {

// A tune of a set found in its file and parsed for playing.
struct FoundSetTune {
  ParsedTune tune;
  int times = 1;
  std::string title;
  std::filesystem::path file;
  std::uint64_t number = 0;  // where it is now among the file's X: lines
};

struct FoundSet {
  std::vector<FoundSetTune> tunes;
  std::vector<std::string> problems;  // one sentence per tune left out, and why
};

// Finds every tune of the set in its file as the file is now and parses it under
// `reading`. A tune is looked for at its place first, then by its title anywhere in
// the file (tunes added or removed before it move it); a file that is gone or cannot
// be read, or no longer holds the title, leaves its tune out and says so.
FoundSet findSetTunes(const TuneSet& set, Reading reading);

}  // namespace corvale
