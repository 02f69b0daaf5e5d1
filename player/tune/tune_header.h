#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tune/line_store.h"

namespace corvale {

// The chosen tune's lines for one play and what its header says.
struct TuneHeader {
  static constexpr int kMaxLines = 80;

  std::vector<std::string_view> tuneLines;  // TuneLines 1..TuneLineCount (views into the LineStore)
  int tuneLineCount = 0;
  int bodyStartLine = 0;   // first line that is not a header line; kMaxLines + 1 when all are
  std::string keyText;     // up to 10 characters after "K:", nothing trimmed; "" without a K: line
  std::string keyLetter;   // the character right after "K:", "" without one
};

// Copies lines 1..80 of `tune` up to its first blank line after line 1 and scans the
// header: lines whose second character is ":" and comment lines starting with "%".
// The last "K:" line of the header gives the key; a tune without one has no key.
TuneHeader readTuneHeader(const LineStore& store, std::uint64_t tune);

}  // namespace corvale
