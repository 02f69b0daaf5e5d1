#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "player/play/player_view.h"

namespace corvale {

// The window as the playback engine sees it while it plays a set as one table:
// every call goes through to the window, except that
// - the replays slider reads 0, since the table already holds each tune its times;
// - the instrument shown is the one played: the engine's switch at the start of a
//   play lands on the instrument the window shows instead of the other one;
// - the row the engine is at is counted (it lets the window's events through once
//   before every row), so each tune's start is told as its first note comes.
class SetPlayerView : public PlayerView {
 public:
  explicit SetPlayerView(PlayerView& window) : window_(window) {}

  // Before a play: the first row (from 1) of each tune, and what to call as each begins.
  void startPlay(std::vector<int> firstRows, std::function<void(std::size_t tune)> tuneStarts);

  int tempoValue() const override { return window_.tempoValue(); }
  int replaysValue() const override { return 0; }
  std::string runCaption() const override { return window_.runCaption(); }
  void setIdle() override { window_.setIdle(); }
  std::string instrumentCaption() const override;
  void setInstrumentCaption(const std::string& caption) override;
  void setFretsVisible(bool visible) override { window_.setFretsVisible(visible); }
  void showBox(int box) override { window_.showBox(box); }
  void hideBox(int box) override { window_.hideBox(box); }
  void hideAllBoxes() override { window_.hideAllBoxes(); }
  void listTuneLines(const std::vector<std::string>& lines) override { window_.listTuneLines(lines); }
  void clearTuneLines() override { window_.clearTuneLines(); }
  void showKeyText(const std::string& keyText) override { window_.showKeyText(keyText); }
  void processPendingEvents() override;
  void showWindow() override { window_.showWindow(); }
  bool closing() const override { return window_.closing(); }
  void reportSoundUnavailable(int result, const std::string& reason) override {
    window_.reportSoundUnavailable(result, reason);
  }
  // A pause holds the set as it holds a tune: waiting on the window, no row counted.
  void setPaused(bool paused) override { window_.setPaused(paused); }
  void waitForWindowEvents() override { window_.waitForWindowEvents(); }

 private:
  PlayerView& window_;
  bool instrumentChosen_ = false;
  int row_ = 0;
  std::size_t nextTune_ = 0;
  std::vector<int> firstRows_;
  std::function<void(std::size_t)> tuneStarts_;
};

}  // namespace corvale
