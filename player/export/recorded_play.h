#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "melodex/sound_output.h"
#include "tune/line_store.h"

namespace corvale {

// How a tune is to be played for keeping: the window's sliders, instrument
// button and reading as they stand.
struct PlaySettings {
  int tempo = 11;
  int replays = 0;
  std::string instrument = "FIDDLE";
  Reading reading = Reading::Classic;
  ReadingOptions options;
};

struct RecordedPlay {
  // Every word the play sends, timed from the play's start.
  std::vector<melodex::TimedWord> words;
  // Set when the MIDI control refused a call: the words up to it are kept.
  std::string problem;
};

// Plays tune `chosenTune` of the file through the player's parser, playback
// engine and MIDI control, on a recording output and a clock that moves only
// by each note's wait, as `tunedump --midi` does, so a play of minutes takes
// milliseconds. The process's MIDI output and the controls' shared state are
// put back afterwards, so a play of the window's may be under way.
RecordedPlay recordPlay(const LineStore& lineStore, std::uint64_t chosenTune, const PlaySettings& settings);

}  // namespace corvale
