#include "player/play/set_player_view.h"

namespace corvale {

void SetPlayerView::startPlay(std::vector<int> firstRows, std::function<void(std::size_t tune)> tuneStarts) {
  instrumentChosen_ = false;
  row_ = 0;
  nextTune_ = 0;
  firstRows_ = std::move(firstRows);
  tuneStarts_ = std::move(tuneStarts);
}

std::string SetPlayerView::instrumentCaption() const {
  const std::string shown = window_.instrumentCaption();
  if (instrumentChosen_) return shown;
  // The engine switches away from what it is told is showing: told the other one,
  // it switches to the one shown.
  if (shown == kFiddleCaption) return kBanjoCaption;
  if (shown == kBanjoCaption) return kFiddleCaption;
  return shown;
}

void SetPlayerView::setInstrumentCaption(const std::string& caption) {
  instrumentChosen_ = true;
  window_.setInstrumentCaption(caption);
}

void SetPlayerView::processPendingEvents() {
  ++row_;
  // A tune with no notes shares its first row with the next: both are told, in order.
  while (nextTune_ < firstRows_.size() && firstRows_[nextTune_] <= row_) {
    if (tuneStarts_) tuneStarts_(nextTune_);
    ++nextTune_;
  }
  window_.processPendingEvents();
}

}  // namespace corvale
