#pragma once

#include <cstdint>
#include <vector>

#include "abc/reading_options.h"
#include "tune/tune_file.h"
#include "tune/tune_parser.h"

namespace corvale {

// How a tune file is read: as corvale has always read it, or as the ABC standard
// writes tunes (every key and mode, ties, broken rhythm, chords, repeats and parts).
enum class Reading { Classic, Standard };

// The tune list of an opened file under a reading; entry.tune is the number to parse.
std::vector<TuneListEntry> tuneListOf(const TuneFile& file, Reading reading);

// Parses tunes of one opened file under either reading, one play at a time.
class TuneReader {
 public:
  // `chosenTune` is a tune list entry's tune (0 for none). Under the classic reading
  // it is the classic parser's; under the standard one tune n is the file's n-th tune.
  // `options` count under the standard reading only.
  ParsedTune parse(const LineStore& store, std::uint64_t chosenTune, Reading reading,
                   const ReadingOptions& options = {});

 private:
  TuneParser classic_;
};

}  // namespace corvale
