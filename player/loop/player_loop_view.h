#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "player/library/tune_set.h"
#include "player/play/player_view.h"

namespace corvale {

// What the player loop needs of the window beyond what playing needs: the
// fingerboard's preparation, the tune list and its selection, the title
// beside "NOW PLAYING:", the message area, the blocking wait for events, and
// the tune files asked for while the loop runs.
class PlayerLoopView : public PlayerView {
 public:
  // Hides every note box and gives each its string's colour.
  virtual void prepareFingerboard() = 0;
  // The titles of the file's tune list, held by the list from then on.
  virtual void listTunes(TuneTitles titles) = 0;
  // The selected entry of the tune list: its position from 0, or -1 for none.
  virtual int selectedTuneRow() const = 0;
  virtual std::string selectedTuneTitle() const = 0;
  // Marks entry `row` of the tune list as selected (-1: none).
  virtual void selectTuneRow(int row) = 0;
  // The chosen tune's title beside "NOW PLAYING:", and its number, which the
  // loop plays on Start.
  virtual void showChosenTune(const std::string& title, std::uint64_t chosenTune) = 0;
  virtual void showMessage(const std::string& message) = 0;
  // Takes the message away again, as reading another file does.
  virtual void clearMessage() = 0;
  // Sleeps until the next window event, then handles every event queued.
  virtual void waitForWindowEvents() = 0;
  // Another tune file asked for while the loop runs (a menu, the recent
  // files, a drop): handed over once, then empty until the next request.
  virtual std::optional<std::filesystem::path> takeRequestedFile() = 0;
  // The reading the musician has chosen for tune files.
  virtual Reading reading() const = 0;
  // A set asked to be played while the loop runs: handed over once, as its play
  // begins (so the run state then reads "CLICK TO STOP"), then empty until the next.
  virtual std::optional<TuneSet> takeRequestedSet() { return std::nullopt; }
  // What the musician asks of the standard reading beyond the written notes.
  virtual ReadingOptions readingOptions() const = 0;
};

}  // namespace corvale
