#pragma once

#include <functional>
#include <string>
#include <vector>

#include "player/play/player_view.h"

namespace corvale::testing {

// A window without widgets: holds the controls' state and writes every change
// the player makes to a log shared with the fake control, so that tests see
// the order of window and MIDI steps together.
class FakePlayerView : public PlayerView {
 public:
  explicit FakePlayerView(std::vector<std::string>& log) : log_(log) {}

  int tempo = 11;
  int replays = 0;
  std::string runState = kStopCaption;  // Start has just been pressed
  std::string instrument = kFiddleCaption;
  bool isClosing = false;
  int visibleBox = -1;
  std::vector<std::string> tuneLines;
  std::string keyText = "unset";
  std::vector<std::string> soundReports;
  // Runs inside processPendingEvents, as a click handled there would.
  std::function<void()> onPendingEvents;

  int tempoValue() const override { return tempo; }
  int replaysValue() const override { return replays; }
  std::string runCaption() const override { return runState; }
  void setIdle() override {
    runState = kStartCaption;
    log_.push_back("idle");
  }
  std::string instrumentCaption() const override { return instrument; }
  void setInstrumentCaption(const std::string& caption) override {
    instrument = caption;
    log_.push_back("caption " + caption);
  }
  void setFretsVisible(bool visible) override { log_.push_back(visible ? "frets shown" : "frets hidden"); }
  void showBox(int box) override {
    visibleBox = box;
    log_.push_back("show " + std::to_string(box));
  }
  void hideBox(int box) override {
    if (visibleBox == box) visibleBox = -1;
    log_.push_back("hide " + std::to_string(box));
  }
  void hideAllBoxes() override {
    visibleBox = -1;
    log_.push_back("hide all");
  }
  void listTuneLines(const std::vector<std::string>& lines) override {
    tuneLines = lines;
    log_.push_back("list " + std::to_string(lines.size()));
  }
  void clearTuneLines() override {
    tuneLines.clear();
    log_.push_back("clear list");
  }
  void showKeyText(const std::string& text) override {
    keyText = text;
    log_.push_back("key " + text);
  }
  void processPendingEvents() override {
    log_.push_back("events");
    if (onPendingEvents) onPendingEvents();
  }
  void showWindow() override { log_.push_back("show window"); }
  bool closing() const override { return isClosing; }
  void reportSoundUnavailable(int result, const std::string& reason) override {
    soundReports.push_back(std::to_string(result) + " " + reason);
  }

 private:
  std::vector<std::string>& log_;
};

}  // namespace corvale::testing
