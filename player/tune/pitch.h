#pragma once

namespace corvale {

// A written note letter ("C".."B", "c".."b") with its first octave mark ("," one octave
// down, "'" one up, anything else none) as a MIDI note number: C is 60, c is 72.
int writtenNoteNumber(char32_t letter, char32_t octaveMark);

// PitchIndex counts semitones from the G below middle C (1) upwards: note number − 54.
constexpr int kPitchIndexOffset = 54;

bool isNoteLetter(char32_t c);

}  // namespace corvale
