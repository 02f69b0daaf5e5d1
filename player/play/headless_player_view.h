#pragma once

#include <string>
#include <vector>

#include "player/play/player_view.h"

namespace corvale {

// The window as a play with no window sees it (tunedump, an export):
// sliders and instrument set once, Start already pressed, nothing drawn.
class HeadlessPlayerView : public PlayerView {
 public:
  HeadlessPlayerView(int tempo, int replays, std::string instrument);

  int tempoValue() const override { return tempo_; }
  int replaysValue() const override { return replays_; }
  std::string runCaption() const override { return runCaption_; }
  void setIdle() override { runCaption_ = kStartCaption; }
  std::string instrumentCaption() const override { return instrument_; }
  void setInstrumentCaption(const std::string& caption) override { instrument_ = caption; }
  void setFretsVisible(bool) override {}
  void showBox(int) override {}
  void hideBox(int) override {}
  void hideAllBoxes() override {}
  void listTuneLines(const std::vector<std::string>&) override {}
  void clearTuneLines() override {}
  void showKeyText(const std::string&) override {}
  void processPendingEvents() override {}
  void showWindow() override {}
  bool closing() const override { return false; }
  void reportSoundUnavailable(int, const std::string&) override {}

  // Practice choices for the play, none unless given; the tune's tempo moves the tempo.
  void setPracticeDesk(PracticeDesk* desk) { desk_ = desk; }
  PracticeDesk* practiceDesk() override { return desk_; }
  void setTempoValue(int tempo) override { tempo_ = tempo; }

 private:
  int tempo_;
  int replays_;
  std::string instrument_;
  std::string runCaption_ = kStopCaption;
  PracticeDesk* desk_ = nullptr;
};

}  // namespace corvale
