#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "abc/abc_note_reader.h"

namespace corvale::abc {

// The accidentals written in the bar so far, and how far each reaches, as
// "%%propagate-accidentals" (or "I:propagate-accidentals") chooses: "pitch", the
// default, to the bar's end for its letter in every octave; "octave" only in its own
// octave; "not" the note it is written on alone.
class BarAccidentals {
 public:
  enum class Reach { Note, Octave, Pitch };

  // Reads a directive's text ("propagate-accidentals octave"); other directives change nothing.
  void readDirective(std::string_view text);

  // The semitones a written note sounds away from its natural: its own accidental, kept
  // for the notes after it, else one written before it in the bar, else nothing.
  std::optional<int> of(const WrittenNote& note);
  // The same without keeping anything: for a neighbour an ornament plays.
  std::optional<int> peek(int letter, int natural) const;

  void clear() { kept_.clear(); }

 private:
  struct Kept {
    int letter;
    int natural;
    int semitones;
  };

  Reach reach_ = Reach::Pitch;
  std::vector<Kept> kept_;
};

}  // namespace corvale::abc
