#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// What a tune's header says of it, for finding it again: the tune counted from 1
// among the file's X: lines (the number the tune lists of both readings play),
// where its X: line starts in the text, and its fields as written (trimmed).
struct TuneRecord {
  std::uint64_t number = 0;
  std::uint64_t byteOffset = 0;
  std::string xNumber;              // X:
  std::vector<std::string> titles;  // every T: line of the header, in order
  std::string key;                  // K:
  std::string metre;                // M:, else the file header's
  std::string rhythm;               // R:, else the file header's
  std::string composer;             // C:, else the file header's
  std::string source;               // S:, else the file header's
  std::string origin;               // O:, else the file header's
  std::string firstBars;            // the first bars of music as written

  // The first title, or the X: number for a tune without one.
  std::string title() const;
  // Every field a search looks in, one text (not folded).
  std::string searchableText() const;
};

// One record per tune of a tune file's text (UTF-8), in file order.
std::vector<TuneRecord> readTuneRecords(std::string_view utf8Text);

}  // namespace corvale
