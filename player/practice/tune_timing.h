#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "abc/tune_reading.h"
#include "tune/tune_tempo.h"

namespace corvale {

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

// Reads M:, L: and Q: (every form the standard reading reads, abc::readTempo) from
// a tune's header lines (up to its first K: line).
TuneTiming readTuneTiming(const std::vector<std::string>& listedLines, Reading reading);

inline constexpr int kSlowestTempo = 1;
inline constexpr int kFastestTempo = 30;

// The TEMPO slider step nearest to a tempo: the slider plays 30 units a minute a step.
// `clamped` is set when the tempo lies beyond the slider's 1 to 30.
int sliderTempoFor(const TuneTempo& tempo, double unitWholeNotes, bool* clamped = nullptr);

}  // namespace corvale
