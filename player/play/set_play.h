#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "player/play/playback_engine.h"
#include "player/play/set_player_view.h"
#include "tune/tune_parser.h"

namespace corvale {

// A tune of a set ready to play, and how many times it is played.
struct SetPiece {
  const ParsedTune* tune = nullptr;
  int times = 1;
};

// Plays a set: its tunes one after another, each its number of times, as one play
// of the engine over one table, so the joins leave no gap beyond the written music
// and Stop ends the whole set after the sounding note. The instrument and the tempo
// are the window's; each tune's lines and key are shown as its first note comes.
// Lives as long as the player loop.
class SetPlay {
 public:
  SetPlay(PlayerView& window, melodex::Dispatch& midix);

  // `tuneStarts(i)` is called as piece i begins to sound, after its lines are shown.
  PlayOutcome play(const std::vector<SetPiece>& pieces, ChordRows chordRows,
                   const std::function<void(std::size_t piece)>& tuneStarts = {});

 private:
  PlayerView& window_;
  SetPlayerView view_;
  PlaybackEngine engine_;
};

}  // namespace corvale
