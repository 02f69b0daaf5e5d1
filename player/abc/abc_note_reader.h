#pragma once

#include <optional>
#include <string_view>

namespace corvale::abc {

// A note as written: accidental, letter, octave marks and length.
struct WrittenNote {
  std::optional<int> accidental;  // semitones: ^ +1, ^^ +2, _ -1, __ -2, = 0
  int natural = 60;               // the note number without any accidental
  int letter = 0;                 // C D E F G A B as 0..6
  double length = 1;              // in units of L:
};

// Reads a note from `at`: accidentals, a letter A-G or a-g, any number of "," and "'",
// and its length. Leaves `at` unmoved and gives nothing when no note starts there.
std::optional<WrittenNote> readWrittenNote(std::string_view text, std::size_t& at);

// A length after a note, rest or chord: "2", "3/2", "/2", "/", "//", "3/"; 1 when none.
double readLength(std::string_view text, std::size_t& at);

}  // namespace corvale::abc
