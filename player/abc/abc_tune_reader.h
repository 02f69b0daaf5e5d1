#pragma once

#include <cstdint>

#include "abc/abc_book.h"
#include "abc/reading_options.h"
#include "tune/tune_parser.h"

namespace corvale::abc {

// Reads one tune of a book as the ABC standard writes it: the file header and the
// tune's header fields up to K:, then its body in order of play.
class AbcTuneReader {
 public:
  // The most rows one play holds: hours of music, and a bound on memory.
  static constexpr int kMostRows = 200'000;

  // `chosenTune` counts from 1 in file order; 0 or a number past the last tune gives a
  // blank tune with no notes.
  static ParsedTune read(const AbcBook& book, std::uint64_t chosenTune, const ReadingOptions& options = {});
  // The same for a tune already found; nothing gives the blank tune.
  static ParsedTune read(const AbcBook& book, const std::optional<TuneSpan>& found,
                         const ReadingOptions& options = {});
};

}  // namespace corvale::abc
