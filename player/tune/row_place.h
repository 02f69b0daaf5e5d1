#pragma once

#include <cstdint>

namespace corvale {

// Where a played row of the standard reading stands in the written tune, so that
// practice can loop bars and parts, start from a bar and follow the music in the
// tune's lines. The classic reading knows no bars and leaves these out.
struct RowPlace {
  std::uint32_t bar = 0;     // as numbered in the written tune: a pickup is 0, the first full bar 1
  std::uint32_t line = 0;    // the listed line (ParsedTune::listedLines) the row was written on
  std::uint16_t column = 0;  // its first byte in that line, UTF-8
  std::uint16_t width = 0;   // how many bytes it was written with (0: not in the line, a part order's row)
  char part = 0;             // its part: the P: label, or A, B, ... for the sections repeats and double bars make
  // The pass through the repeat it is played in: 1 the first time, 2 on the repeat, ...;
  // 1 outside repeats, and 1 again each time a part order plays the part anew.
  std::uint8_t pass = 1;
};

}  // namespace corvale
