#pragma once

#include "melodex/dispatch.h"
#include "player/play/player_view.h"

namespace corvale {

inline constexpr int kTuneChannel = 8;
inline constexpr int kBanjoPatch = 105;
inline constexpr int kFiddlePatch = 110;

// Changes to the other instrument, as the instrument button and every start
// of playing do: from "FIDDLE" sends patch 105 (banjo) on channel 8, captions
// "BANJO" and shows the frets; from "BANJO" sends patch 110 (fiddle),
// captions "FIDDLE" and hides them. Any other caption changes nothing.
void switchInstrument(PlayerView& view, melodex::Dispatch& midix);

// Sets the instrument the button shows (opening the output put every channel on
// program 0), with its frets, and leaves the caption as it is.
void keepInstrument(PlayerView& view, melodex::Dispatch& midix);

// What a start of playing does: switches, unless the musician's practice choices
// keep the instrument.
void startInstrument(PlayerView& view, melodex::Dispatch& midix);

}  // namespace corvale
