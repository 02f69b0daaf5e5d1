#pragma once

#include <cstdint>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "melodex/sound_output.h"
#include "practice/practice_plan.h"
#include "tune/line_store.h"
#include "tune/tune_parser.h"

namespace corvale {

// Practice choices for a recorded play; a loop needs a pass limit there.
struct RecordedPractice {
  PracticePlan plan;
  bool switchInstrumentAtStart = true;
};

// How a tune is to be played for keeping: the window's sliders, instrument
// button and reading as they stand, and the practice asked for (tunedump's).
struct PlaySettings {
  int tempo = 11;
  int replays = 0;
  std::string instrument = "FIDDLE";
  Reading reading = Reading::Classic;
  ReadingOptions options;
  std::optional<RecordedPractice> practice;
};

struct RecordedPlay {
  // Every word the play sends, timed from the play's start.
  std::vector<melodex::TimedWord> words;
  // Set when the MIDI control refused a call: the words up to it are kept.
  std::string problem;
};

// Plays a parsed tune through the player's playback engine and MIDI control, on
// a recording output and a clock that moves only by each note's wait, as
// `tunedump --midi` does, so a play of minutes takes milliseconds. The process's
// MIDI output and the controls' shared state are put back afterwards, so a play
// of the window's may be under way; they belong to the window's thread, so this
// runs there too, and calls `meanwhile` every few milliseconds for the
// window to handle its events.
RecordedPlay recordPlay(const ParsedTune& tune, const PlaySettings& settings,
                        const std::function<void()>& meanwhile = {});
// The same for tune `chosenTune` of a file, parsed under the settings' reading.
RecordedPlay recordPlay(const LineStore& lineStore, std::uint64_t chosenTune, const PlaySettings& settings);

}  // namespace corvale
