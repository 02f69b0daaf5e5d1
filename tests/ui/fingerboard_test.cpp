// The fingerboard: its boxes, string colours, lines, and showing and hiding.
#include "ui_test_support.h"

namespace corvale::test {
namespace {

// The fingerboard as it lies on the window.
class FingerboardTest : public WindowTest {
 protected:
  Fingerboard& board = form.fingerboard();
};

TEST_F(FingerboardTest, BoxesCarryNoteNamesAtTheirPlaces) {
  const std::vector<std::tuple<int, QString, QRect>> boxes{{0, "  G,", QRect(56, 128, 41, 41)},
                                                           {1, " G,#", QRect(120, 192, 41, 41)},
                                                           {21, "  e", QRect(176, 8, 41, 41)},
                                                           {30, " c'#", QRect(560, 392, 41, 41)}};
  for (const auto& [box, caption, place] : boxes) {
    EXPECT_EQ(board.box(box)->text(), caption) << box;
    EXPECT_EQ(board.box(box)->geometry(), place) << box;
  }
}

TEST_F(FingerboardTest, PrepareHidesAndColoursEveryBoxAndEachShowsAloneButNoneOffTheBoard) {
  int windowShown = 0;
  board.box(3)->setBackground(Qt::blue);
  board.prepare([&windowShown] { ++windowShown; });
  EXPECT_TRUE(visibleBoxes(board).empty());
  EXPECT_EQ(windowShown, kBoxCount);
  const std::vector<std::pair<int, QRgb>> colours{
      {0, 0xFF0000},  {3, 0xFF8080},  {6, 0xFF8080},  {7, 0xFFFF00},  {8, 0xFFFF80},  {13, 0xFFFF80},
      {14, 0xFF00FF}, {15, 0xFF80FF}, {20, 0xFF80FF}, {21, 0x00FF00}, {22, 0xC0FFC0}, {30, 0xC0FFC0}};
  for (const auto& [box, colour] : colours) EXPECT_EQ(board.box(box)->background(), QColor::fromRgb(colour)) << box;
  board.showBox(17);
  EXPECT_EQ(fillColour(board.box(17)), QColor(255, 128, 255));
  board.hideBox(17);
  board.showBox(7);
  EXPECT_EQ(visibleBoxes(board), std::vector<int>{7});
  board.hideBox(7);
  board.showBox(17);
  EXPECT_EQ(visibleBoxes(board), std::vector<int>{17});
  board.hideAll();
  for (int box : {-1, 31, -1000, 1000}) {
    board.showBox(box);
    board.hideBox(box);
  }
  EXPECT_TRUE(visibleBoxes(board).empty());
}

TEST_F(FingerboardTest, LinesRunBetweenTheirEndsInTheirColoursUnderTheBoxes) {
  const std::vector<QColor> nutThenStrings{Qt::white, QColor(255, 0, 0), QColor(255, 255, 0), QColor(255, 0, 255),
                                           QColor(0, 255, 0)};
  for (int line = 0; line < 5; ++line) EXPECT_EQ(board.stringLine(line)->colour(), nutThenStrings[line]) << line;
  EXPECT_EQ(board.stringLine(4)->lineWidth(), 3);
  // Fret k runs from (2400 + 600k, 3480 + 600k) through the E string's box 23 + k.
  for (int fret = 0; fret < kFretCount; ++fret) {
    EXPECT_EQ(board.fret(fret)->from(), QPoint(160 + 40 * fret, 232 + 40 * fret)) << fret;
    EXPECT_EQ(board.fret(fret)->to(), board.box(23 + fret)->pos()) << fret;
  }
  EXPECT_EQ(board.fret(0)->lineWidth(), 1);
  EXPECT_EQ(board.fret(0)->colour(), QColor(Qt::white));
  const QImage image = form.grab().toImage();
  // The red G string runs through box 5's corner region, on the string and
  // clear of the caption: the box covers it.
  EXPECT_EQ(image.pixelColor(312, 384), QColor(255, 128, 128));
  // Off the boxes, the line is drawn.
  EXPECT_EQ(image.pixelColor(454, 526), QColor(255, 0, 0));
}

}  // namespace
}  // namespace corvale::test
