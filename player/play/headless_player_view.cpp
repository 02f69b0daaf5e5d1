#include "player/play/headless_player_view.h"

#include <utility>

namespace corvale {

HeadlessPlayerView::HeadlessPlayerView(int tempo, int replays, std::string instrument)
    : tempo_(tempo), replays_(replays), instrument_(std::move(instrument)) {}

}  // namespace corvale
