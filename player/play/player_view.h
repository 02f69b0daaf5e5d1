#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvale {

class PracticeDesk;

inline constexpr const char* kStartCaption = "CLICK TO START";
inline constexpr const char* kStopCaption = "CLICK TO STOP";
inline constexpr const char* kFiddleCaption = "FIDDLE";
inline constexpr const char* kBanjoCaption = "BANJO";
// The start button while a play holds between two notes; the button stays red.
inline constexpr const char* kPausedCaption = "PAUSED";

// What the player loop and the playback engine see of the window: the
// controls' state and the few things they change. The window implements it;
// tests implement it without widgets.
class PlayerView {
 public:
  virtual ~PlayerView() = default;

  virtual int tempoValue() const = 0;    // the TEMPO slider, 1..30
  virtual int replaysValue() const = 0;  // the REPLAYS slider, 0..99

  // The start button's caption is the run state.
  virtual std::string runCaption() const = 0;
  // Back to idle: "CLICK TO START" on green.
  virtual void setIdle() = 0;

  // The instrument button's caption, "FIDDLE" or "BANJO".
  virtual std::string instrumentCaption() const = 0;
  virtual void setInstrumentCaption(const std::string& caption) = 0;
  virtual void setFretsVisible(bool visible) = 0;

  // Fingerboard boxes 0..30; other indexes show nothing.
  virtual void showBox(int box) = 0;
  virtual void hideBox(int box) = 0;
  virtual void hideAllBoxes() = 0;

  // The list of the playing tune's lines, and the key field beside "KEY:".
  virtual void listTuneLines(const std::vector<std::string>& lines) = 0;
  virtual void clearTuneLines() = 0;
  virtual void showKeyText(const std::string& keyText) = 0;

  // Handles the window events already queued, then returns.
  virtual void processPendingEvents() = 0;
  // Asks for the main window to be shown (nothing happens when it is).
  virtual void showWindow() = 0;
  // True once the window is closing: playing and waiting end at once.
  virtual bool closing() const = 0;

  // The output could not be opened (result code and the reason in words);
  // the tune still plays through in silence.
  virtual void reportSoundUnavailable(int result, const std::string& reason) = 0;

  // Practice. A view that offers none of it plays every tune as the player always has.
  // The musician's practice choices; none when the view has no practice menu.
  virtual PracticeDesk* practiceDesk() { return nullptr; }
  // Holds the play (caption kPausedCaption) or lets it go on (kStopCaption); only
  // while a tune plays.
  virtual void setPaused(bool) {}
  // Sleeps until the next window event, then handles every event queued: a paused
  // play waits so.
  virtual void waitForWindowEvents() { processPendingEvents(); }
  // The TEMPO readout while a pass plays at a share of the slider's tempo.
  virtual void showPlayedTempo(double) {}
  // Moves the TEMPO slider (1..30), as the tune's own tempo asks.
  virtual void setTempoValue(int) {}
  // Marks listed line `line` (from 0) of the tune's lines, kept in view, and the
  // bytes `column` to `column + width` inside it (none when width is 0).
  virtual void markTuneLine(std::size_t, std::size_t, std::size_t) {}
  virtual void clearTuneLineMarks() {}
};

}  // namespace corvale
