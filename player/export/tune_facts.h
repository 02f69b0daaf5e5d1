#pragma once

#include <optional>
#include <string>

#include "abc/tune_reading.h"
#include "tune/tune_parser.h"

namespace corvale {

// A metre as a MIDI file writes it: 6/8 is 6 over 8, compound (beats of three eighths).
struct TimeSignature {
  int numerator = 4;
  int denominator = 4;  // a power of two
  bool compound = false;
};

// A key signature as a MIDI file writes it: sharps (1 to 7) or flats (-1 to -7), major or minor.
struct KeySignatureFact {
  int sharps = 0;
  bool minor = false;
};

// What a tune says of itself that a kept file shows: its title, metre and key, and
// the written length of the unit its rows count in.
struct TuneFacts {
  std::string title;                          // its first T: line, "" when it has none
  std::optional<TimeSignature> meter;         // from M:, when a MIDI file can write it
  std::optional<KeySignatureFact> key;        // the key the reading plays, when it has one
  double unitEighths = 1;                     // one unit of a row's duration, in eighth notes
};

// The facts of a parsed tune under the reading that parsed it. The classic reading
// counts in the tune's L: unit (from M: when absent), the standard one in eighths;
// the key is the one each reading plays the notes in.
TuneFacts tuneFactsOf(const ParsedTune& tune, Reading reading);

// A file name for a kept tune: the title with every character that a file name, on
// this system or a memory stick, cannot hold replaced by "_", cut to a length
// every file system takes, then `extension`; "tune" for a title with nothing left.
std::string fileNameForTitle(const std::string& title, const std::string& extension);

}  // namespace corvale
