#pragma once

#include <array>
#include <string>
#include <string_view>

namespace corvale::abc {

// A key as the K: field gives it: the semitones each note letter is raised (+) or
// lowered (-) by, in every octave, and the signature written out as the list of
// altered notes ("F# C#", "Bb Eb", "" for none).
struct AbcKey {
  std::array<int, 7> alteration{};  // C D E F G A B

  // Reads the text of a K: field: a tonic A-G with # or b, a mode (major, minor, m,
  // ionian, aeolian, dorian, phrygian, lydian, mixolydian, locrian, in any case and
  // cut to three letters or more), spaces anywhere, then accidentals such as "^g =c",
  // "exp" (the accidentals alone), "none", "HP" and "Hp". Clefs and other words are
  // passed over; a text it cannot read gives no signature.
  static AbcKey read(std::string_view fieldText);

  // Whether a K: text names a key at all: a body "K:clef=bass" keeps the key it had.
  static bool namesKey(std::string_view fieldText);

  int alterationOf(char upperLetter) const;
  std::string signatureText() const;
};

// The place of a note letter (either case) in C D E F G A B, or -1.
int letterIndex(char letter);

}  // namespace corvale::abc
