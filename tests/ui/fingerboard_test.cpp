// The fingerboard: its boxes, string colours, lines, and showing and hiding.
#include <gtest/gtest.h>

#include <QWidget>

#include "player/ui/display_box.h"
#include "player/ui/fingerboard.h"
#include "player/ui/line_widget.h"
#include "ui_test_support.h"

namespace corvale {
namespace {

class FingerboardTest : public testing::Test {
 protected:
  FingerboardTest() { window.resize(994, 573); }

  std::vector<int> visibleBoxes() const {
    std::vector<int> visible;
    for (int box = 0; box < kBoxCount; ++box) {
      if (!board.box(box)->isHidden()) visible.push_back(box);
    }
    return visible;
  }

  QWidget window;
  Fingerboard board{&window};
  int windowShown = 0;
};

TEST_F(FingerboardTest, StringColoursFullOnOpenStringsPaleElsewhere) {
  EXPECT_EQ(boxColour(0), 0xFF0000u);
  EXPECT_EQ(boxColour(7), 0xFFFF00u);
  EXPECT_EQ(boxColour(14), 0xFF00FFu);
  EXPECT_EQ(boxColour(21), 0x00FF00u);
  for (int box : {1, 6}) EXPECT_EQ(boxColour(box), 0xFF8080u) << box;
  for (int box : {8, 13}) EXPECT_EQ(boxColour(box), 0xFFFF80u) << box;
  for (int box : {15, 17, 20}) EXPECT_EQ(boxColour(box), 0xFF80FFu) << box;
  for (int box : {22, 30}) EXPECT_EQ(boxColour(box), 0xC0FFC0u) << box;
}

TEST_F(FingerboardTest, BoxesCarryNoteNamesAtTheirPlaces) {
  EXPECT_EQ(board.box(0)->text(), "  G,");
  EXPECT_EQ(board.box(1)->text(), " G,#");
  EXPECT_EQ(board.box(17)->text(), "  c");
  EXPECT_EQ(board.box(30)->text(), " c'#");
  EXPECT_EQ(board.box(0)->geometry(), QRect(56, 128, 41, 41));
  EXPECT_EQ(board.box(21)->geometry(), QRect(176, 8, 41, 41));
  EXPECT_EQ(board.box(30)->geometry(), QRect(560, 392, 41, 41));
  // Along a string each semitone moves 600 twips right and down, the first stopped one 960.
  for (int box = 1; box < 7; ++box) {
    const int step = box == 1 ? 64 : 40;
    EXPECT_EQ(board.box(box)->pos() - board.box(box - 1)->pos(), QPoint(step, step)) << box;
  }
}

TEST_F(FingerboardTest, PrepareHidesEveryBoxAndColoursItByString) {
  board.box(3)->setBackground(Qt::blue);
  board.prepare([this] { ++windowShown; });
  EXPECT_TRUE(visibleBoxes().empty());
  EXPECT_EQ(windowShown, kBoxCount);
  for (int box = 0; box < kBoxCount; ++box) {
    EXPECT_EQ(board.box(box)->background(), QColor::fromRgb(boxColour(box))) << box;
  }
  board.box(17)->show();
  EXPECT_EQ(test::fillColour(board.box(17)), QColor(255, 128, 255));
}

TEST_F(FingerboardTest, ShowAndHideOneBoxAtATime) {
  board.prepare([] {});
  board.showBox(7);
  EXPECT_EQ(visibleBoxes(), std::vector<int>{7});
  board.hideBox(7);
  board.showBox(17);
  EXPECT_EQ(visibleBoxes(), std::vector<int>{17});
  board.hideAll();
  EXPECT_TRUE(visibleBoxes().empty());
}

TEST_F(FingerboardTest, NotesOutsideTheBoardShowNothing) {
  board.prepare([] {});
  for (int box : {-1, 31, -1000, 1000}) {
    board.showBox(box);
    board.hideBox(box);
  }
  EXPECT_TRUE(visibleBoxes().empty());
}

TEST_F(FingerboardTest, FretsShowAndHideTogether) {
  board.setFretsVisible(false);
  for (int fret = 0; fret < kFretCount; ++fret) EXPECT_TRUE(board.fret(fret)->isHidden());
  board.setFretsVisible(true);
  for (int fret = 0; fret < kFretCount; ++fret) EXPECT_FALSE(board.fret(fret)->isHidden());
}

TEST_F(FingerboardTest, LinesRunBetweenTheirEndsInTheirColours) {
  EXPECT_EQ(board.stringLine(0)->from(), QPoint(120, 192));
  EXPECT_EQ(board.stringLine(0)->to(), QPoint(240, 72));
  EXPECT_EQ(board.stringLine(0)->colour(), QColor(Qt::white));
  EXPECT_EQ(board.stringLine(1)->colour(), QColor(255, 0, 0));
  EXPECT_EQ(board.stringLine(2)->colour(), QColor(255, 255, 0));
  EXPECT_EQ(board.stringLine(3)->colour(), QColor(255, 0, 255));
  EXPECT_EQ(board.stringLine(4)->colour(), QColor(0, 255, 0));
  EXPECT_EQ(board.stringLine(4)->lineWidth(), 3);
  // Fret k runs from (2400 + 600k, 3480 + 600k) through the E string's box 23 + k.
  for (int fret = 0; fret < kFretCount; ++fret) {
    EXPECT_EQ(board.fret(fret)->from(), QPoint(160 + 40 * fret, 232 + 40 * fret)) << fret;
    if (fret < 5) {
      EXPECT_EQ(board.fret(fret)->from(), board.box(2 + fret)->pos()) << fret;
    }
    EXPECT_EQ(board.fret(fret)->to(), board.box(23 + fret)->pos()) << fret;
    EXPECT_EQ(board.fret(fret)->lineWidth(), 1);
    EXPECT_EQ(board.fret(fret)->colour(), QColor(Qt::white));
  }
}

TEST_F(FingerboardTest, LinesLieUnderTheBoxes) {
  window.setAutoFillBackground(true);
  QPalette black = window.palette();
  black.setColor(QPalette::Window, Qt::black);
  window.setPalette(black);
  // The red G string runs through box 5's corner region; the box covers it.
  const QImage image = window.grab().toImage();
  const QPoint insideBox5(312, 384);  // on the string, clear of the caption
  EXPECT_EQ(image.pixelColor(insideBox5), QColor(255, 128, 128));
  // Off the boxes, the line is drawn.
  const QPoint onGString(456 - 2, 528 - 2);
  EXPECT_EQ(image.pixelColor(onGString), QColor(255, 0, 0));
}

}  // namespace
}  // namespace corvale
