// The fingerboard's boxes held back until their notes are heard.
#include <QElapsedTimer>
#include <QTest>

#include "player/window/heard_boxes.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

class HeardBoxesTest : public WindowTest {
 protected:
  Fingerboard& board = form.fingerboard();
  std::int64_t delay = 0;
  HeardBoxes boxes{board, [this] { return delay; }};

  // What the board shows each time it changes, until `milliseconds` have passed.
  std::vector<std::vector<int>> shownOver(int milliseconds) {
    std::vector<std::vector<int>> seen{visibleBoxes(board)};
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) {
      QTest::qWait(1);
      if (visibleBoxes(board) != seen.back()) seen.push_back(visibleBoxes(board));
    }
    return seen;
  }
};

// With no delay a box changes at once. A short note's show and hide both
// come, in order, the delay later; the end of a play puts every box out at
// once and drops what is still held back.
TEST_F(HeardBoxesTest, ChangesComeTheDelayLaterInOrderAndTheEndDropsThem) {
  board.hideAll();
  boxes.showBox(4);
  EXPECT_EQ(visibleBoxes(board), std::vector<int>{4});
  boxes.hideBox(4);
  delay = 40'000;
  boxes.showBox(3);
  QTest::qWait(15);
  boxes.hideBox(3);
  boxes.showBox(5);
  EXPECT_EQ(shownOver(100), (std::vector<std::vector<int>>{{}, {3}, {5}}));
  boxes.showBox(7);
  boxes.hideAll();
  EXPECT_TRUE(visibleBoxes(board).empty());
  EXPECT_EQ(shownOver(80), (std::vector<std::vector<int>>{{}}));
}

}  // namespace
}  // namespace corvale::test
