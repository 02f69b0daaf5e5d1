#pragma once

#include <filesystem>
#include <vector>

#include "abc/tune_reading.h"
#include "player/library/tune_set.h"
#include "player/loop/player_loop_view.h"
#include "player/play/set_play.h"
#include "tune/tune_index.h"

namespace corvale {

// The tune file the loop has listed, so that a set's tune from it is selected in the list.
struct ListedFile {
  std::filesystem::path path;
  const std::vector<TuneListEntry>* entries = nullptr;
};

// Plays a set asked for from the window: finds its tunes in their files as they are
// now (tunes that are gone are said so in the message area and left out), plays them
// as one run, and shows each tune beside NOW PLAYING as it begins, selected in the
// tune list when it is a tune of the listed file. With no tune left to play it says
// so and goes back to waiting.
PlayOutcome playRequestedSet(PlayerLoopView& view, SetPlay& setPlay, const TuneSet& set, Reading reading,
                             const ListedFile& listed);

}  // namespace corvale
