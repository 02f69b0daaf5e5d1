#pragma once

#include <string_view>

namespace corvale::abc {

// How far the notes of the playing voice sound from where they are written, as the
// K: and V: fields set it: a clef with an octave mark ("treble-8", "bass+8",
// "clef=treble_8") an octave down or up, "octave=N" N octaves, "transpose=N" N
// semitones. Each lasts until a later field gives it anew; a clef given without a
// mark takes its octave away.
struct Transposition {
  int clefOctaves = 0;
  int octaves = 0;
  int semitones = 0;

  // Takes what the text of a K: or V: field gives.
  void read(std::string_view fieldText);
  int shift() const { return 12 * (clefOctaves + octaves) + semitones; }
};

}  // namespace corvale::abc
