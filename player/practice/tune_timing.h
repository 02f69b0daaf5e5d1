#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "abc/tune_reading.h"

namespace corvale {

// The tempo a Q: field gives: so many beats of this length a minute.
struct TuneTempo {
  double beatWholeNotes = 0.25;
  int beatsPerMinute = 120;
};

// Reads a Q: field's text: "1/4=120", "3/8=40", "1/4 1/8=60" (the beat is the sum),
// "\"Allegro\" 1/4=120" (words in quotes passed over), or a bare "120", which counts
// notes of the tune's unit length `unitWholeNotes`. Nothing for words alone or a
// text it cannot read.
std::optional<TuneTempo> readTempoField(std::string_view text, double unitWholeNotes);

// The beat a metre counts: "4/4" four quarter beats, "6/8" two dotted quarters,
// "3/4" three, "2/2" and "C|" two halves, "9/8" three dotted quarters, "C" four.
struct BeatGrid {
  double beatWholeNotes = 0.25;
  int beatsPerBar = 4;
  bool meterGiven = false;  // false: no M: (or one without a count), counted in quarters
};
BeatGrid beatGridOf(std::string_view meterText);

// What a tune's header says of its time, for counting in, clicking and the tempo.
struct TuneTiming {
  BeatGrid beats;
  std::optional<TuneTempo> tempo;
  // How long one unit of the event table's durations is: an eighth under the standard
  // reading; the length of an unmarked note (L:, or its default) under the classic one.
  double unitWholeNotes = 0.125;
  double beatUnits() const { return beats.beatWholeNotes / unitWholeNotes; }
};

// Reads M:, L: and Q: from a tune's header lines (up to its first K: line).
TuneTiming readTuneTiming(const std::vector<std::string>& listedLines, Reading reading);

inline constexpr int kSlowestTempo = 1;
inline constexpr int kFastestTempo = 30;

// The TEMPO slider step nearest to a tempo: the slider plays 30 units a minute a step.
// `clamped` is set when the tempo lies beyond the slider's 1 to 30.
int sliderTempoFor(const TuneTempo& tempo, double unitWholeNotes, bool* clamped = nullptr);

}  // namespace corvale
