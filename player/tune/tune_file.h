#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tune/line_store.h"
#include "tune/tune_index.h"

namespace corvale {

// A tune file read once: its lines by tune and the titles of the tune list (UTF-8).
struct TuneFile {
  LineStore lineStore;
  std::vector<TuneListEntry> tuneIndex;
};

// what() names the file and the reason it could not be read.
class TuneFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the whole file at once. Throws TuneFileError when it cannot be opened or read.
TuneFile readTuneFile(const std::filesystem::path& path);

// The same from bytes already in memory: valid UTF-8 is taken as UTF-8, anything else
// as Latin-1; a leading byte-order mark is dropped. Never fails, whatever the bytes.
TuneFile readTuneText(std::string bytes);

}  // namespace corvale
