#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tune/line_store.h"
#include "tune/regular_file.h"
#include "tune/tune_index.h"

namespace corvale {

// A tune file read once: its lines by tune and the titles of the tune list (UTF-8).
struct TuneFile {
  LineStore lineStore;
  std::vector<TuneListEntry> tuneIndex;
};

// Reads the whole file at once. Throws TuneFileError when it cannot be opened or read,
// is not a regular file or is too large (see readRegularFile). Safe to call from a
// worker thread: it shares nothing with other calls.
TuneFile readTuneFile(const std::filesystem::path& path);

// The same from bytes already in memory: valid UTF-8 is taken as UTF-8, anything else
// as Latin-1; a leading byte-order mark is dropped. Never fails, whatever the bytes.
TuneFile readTuneText(std::string bytes);

}  // namespace corvale
