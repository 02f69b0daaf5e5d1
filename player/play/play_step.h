#pragma once

#include <cstdint>

#include "abc/tune_reading.h"
#include "player/play/playback_engine.h"
#include "player/play/player_view.h"
#include "tune/line_store.h"

namespace corvale {

// What the player loop does once Start is pressed: parse the chosen tune
// afresh, list its lines and key, play it, and leave the window waiting for
// the next start with the same tune chosen. Lives as long as the loop.
class PlayStep {
 public:
  PlayStep(PlayerView& view, melodex::Dispatch& midix);

  // `chosenTune` is the chosen tune list entry's tune (under the classic reading
  // its position + 1), or 0 when nothing is chosen; `reading` is the one the
  // tune list was made with.
  PlayOutcome playChosenTune(const LineStore& lineStore, std::uint64_t chosenTune,
                             Reading reading = Reading::Classic, const ReadingOptions& options = {});
  // Plays a tune parsed already under `reading`, as the view's practice asks.
  PlayOutcome playParsedTune(const ParsedTune& tune, Reading reading);

 private:
  PlayerView& view_;
  TuneReader reader_;
  PlaybackEngine engine_;
};

}  // namespace corvale
