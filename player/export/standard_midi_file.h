#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "melodex/sound_output.h"
#include "player/export/tune_facts.h"

namespace corvale {

// The ticks of a quarter note in the files written: fine enough for triplets,
// sextuplets and grace notes, and what notation programs read best.
inline constexpr int kTicksPerQuarter = 480;

// How a play's words become a file that notation and sequencer programs read as
// the tune is written.
struct MidiFileLayout {
  std::string trackName;                      // UTF-8
  std::optional<TimeSignature> meter;
  std::optional<KeySignatureFact> key;
  std::uint32_t microsecondsPerQuarter = 500000;  // the tempo heard
  // Ticks for each microsecond of the words' times. Every step from one time to
  // the next is rounded to whole ticks on its own, so a note's rounding never
  // carries into the next and bars stay on the grid.
  double ticksPerMicrosecond = kTicksPerQuarter / 500000.0;
};

// The bytes of a Standard MIDI File of type 0 holding `words` in order, after its
// track name, time signature, key signature and tempo. A word a file cannot hold
// whole, one with no channel status or a data byte above 127 (a spilled-over
// value), is left out, as a sequencer port would. A wait longer than a delta time
// can hold (2^28 ticks) is written as several, joined by empty text events.
std::string standardMidiFile(const std::vector<melodex::TimedWord>& words, const MidiFileLayout& layout);

}  // namespace corvale
