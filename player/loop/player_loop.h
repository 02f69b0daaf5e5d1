#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "melodex/dispatch.h"
#include "player/loop/player_loop_view.h"
#include "tune/tune_index.h"

namespace corvale {

// The tune to play: the tune of the selected entry of `tuneList`, or 0 (the
// lines before the first tune) when nothing is selected.
std::uint64_t chosenTuneOf(const PlayerLoopView& view, const std::vector<TuneListEntry>& tuneList);

// The player loop, started once by the first click in the file list: prepares
// the fingerboard, reads the tune file and lists its titles, then waits for
// Start while the chosen title follows the selection, plays the chosen tune,
// and waits again. Another file asked for while it runs is read in the same
// way once the play in progress has stopped, and the wait goes on with its
// titles. It returns only when the window closes. A file that cannot be read
// is reported in the message area and leaves the tune list empty.
void readfile(PlayerLoopView& view, melodex::Dispatch& midix, const std::filesystem::path& tunePath);

}  // namespace corvale
