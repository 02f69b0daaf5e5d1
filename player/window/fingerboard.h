#pragma once

#include <array>
#include <functional>

#include "player/window/fingerboard_layout.h"

class QWidget;

namespace corvale {

class DisplayBox;
class LineWidget;

// The fiddle's fingerboard drawn on the window: 31 note boxes Text1(0..30)
// along the four strings, the nut and string lines and the eight frets
// Line2(0..7) shown for the banjo. The lines lie under the boxes.
class Fingerboard {
 public:
  explicit Fingerboard(QWidget* window);

  // Before a file's tunes are played: every box hidden, then each given its
  // string's colour; `showWindow` runs before each box is coloured, as the
  // player asks for its window to be shown there.
  void prepare(const std::function<void()>& showWindow);

  // Boxes outside 0..30 show nothing: their notes still play.
  void showBox(int box);
  void hideBox(int box);
  void hideAll();
  void setFretsVisible(bool visible);

  DisplayBox* box(int index) const { return boxes_.at(index); }
  LineWidget* fret(int index) const { return frets_.at(index); }
  LineWidget* stringLine(int index) const { return strings_.at(index); }

 private:
  std::array<LineWidget*, kStringLines.size()> strings_{};
  std::array<LineWidget*, kFretCount> frets_{};
  std::array<DisplayBox*, kBoxCount> boxes_{};
};

}  // namespace corvale
