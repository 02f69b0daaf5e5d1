#pragma once

#include <cstdint>

#include "player/play/playback_engine.h"
#include "player/play/player_view.h"
#include "tune/line_store.h"
#include "tune/tune_parser.h"

namespace corvale {

// What the player loop does once Start is pressed: parse the chosen tune
// afresh, list its lines and key, play it, and leave the window waiting for
// the next start with the same tune chosen. Lives as long as the loop.
class PlayStep {
 public:
  PlayStep(PlayerView& view, melodex::Dispatch& midix);

  // `chosenTune` is the tune list position + 1, or 0 when nothing is chosen.
  PlayOutcome playChosenTune(const LineStore& lineStore, std::uint64_t chosenTune);

 private:
  PlayerView& view_;
  TuneParser parser_;
  PlaybackEngine engine_;
};

}  // namespace corvale
