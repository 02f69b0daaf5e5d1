// Small things of the window a new musician meets: typing a title with spaces,
// finding a folder by its first letters, Return on the Start button, Start with
// no tune chosen, long titles, and the key shown when another file is opened.
#include <QApplication>
#include <QTest>

#include "main_window_support.h"
#include "player/window/type_ahead.h"

namespace corvale::test {
namespace {

using WindowDetailsTest = WindowTest;

class TypedTitlesTest : public MainWindowTest {
 protected:
  TypedTitlesTest() {
    write(QStringLiteral("the.abc"),
          "X:1\nT:The Wind That Shakes the Barley and a Title Far Too Long to Fit\nK:D\nD|\n"
          "X:2\nT:The Woman of the House\nK:G\nG|\nX:3\nT:Theodora\nK:A\nA|\n");
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

TEST_F(TypedTitlesTest, SpaceWhileTypingATitleIsPartOfItAndStartsOnlyAfterThePause) {
  window.openTuneFile(path(QStringLiteral("the.abc")));
  runSteps({[this] { return form().List1()->count() == 3; },
            act([this] {
              form().List1()->setFocus();
              QTest::keyClicks(form().List1(), QStringLiteral("the wo"));
              EXPECT_EQ(form().List1()->currentRow(), 1);
              EXPECT_EQ(form().Command1()->text(), "CLICK TO START") << "the space went to the search";
              QTest::keyClicks(form().List1(), QStringLiteral("the w"));
              EXPECT_EQ(form().List1()->currentRow(), 1) << "typed on from the title found";
            }),
            act([] { QTest::qWait(TypeAhead::kPauseMilliseconds + 100); }),
            act([this] {
              QTest::keyClick(form().List1(), Qt::Key_Space);
              EXPECT_EQ(form().Command1()->text(), "CLICK TO STOP");
            })});
}

TEST(FolderListTest, TypedLettersFindAFolderBelowTheCurrentOne) {
  QTemporaryDir top;
  for (const char* name : {"hornpipes", "jigs", "jigs and reels", "reels"}) QDir(top.path()).mkdir(name);
  FolderList list(top.path(), nullptr);
  QTest::keyClicks(&list, QStringLiteral("jigs "));
  EXPECT_EQ(list.currentItem()->text().trimmed(), "jigs and reels");
  QTest::qWait(TypeAhead::kPauseMilliseconds + 100);
  QTest::keyClicks(&list, QStringLiteral("r"));
  EXPECT_EQ(list.currentItem()->text().trimmed(), "reels");
}

TEST_F(WindowDetailsTest, ReturnOnTheFocusedStartButtonPressesIt) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    form.Command1()->setFocus();
    const std::string before = form.Command1()->text().toStdString();
    QTest::keyClick(form.Command1(), key);
    EXPECT_NE(form.Command1()->text().toStdString(), before);
  }
}

TEST_F(WindowDetailsTest, StartWithNoTuneChosenSaysToChooseOneAndTheWordsGoOnceOneIs) {
  runLoop(QStringLiteral("tunes.abc"),
          {[this] { form.Command1_Click(); },
           [this] {
             EXPECT_FALSE(form.messageArea()->isHidden());
             EXPECT_EQ(form.messageArea()->message(), "Choose a tune in the list first");
             form.List1()->setCurrentRow(0);
             form.Command1_Click();
           },
           [] {}});
  EXPECT_TRUE(form.messageArea()->isHidden());
}

TEST_F(WindowDetailsTest, ALongTitleKeepsItsLabelAndShowsWholeOnPointing) {
  write(QStringLiteral("long.abc"), "X:1\nT:The Wind That Shakes the Barley Reel\nK:D\nD|\n");
  const QRect label = form.Label1()->geometry();
  const QFont font = form.Label1()->font();
  runLoop(QStringLiteral("long.abc"), {[this] { form.List1()->setCurrentRow(0); }, [] {}});
  const QString title = QStringLiteral("The Wind That Shakes the Barley Reel");
  ASSERT_GT(form.Label1()->fontMetrics().horizontalAdvance(title), form.Label1()->width());
  EXPECT_EQ(form.Label1()->text(), title);
  EXPECT_EQ(form.Label1()->toolTip(), title);
  EXPECT_EQ(form.Label1()->geometry(), label);
  EXPECT_EQ(form.Label1()->font(), font);
  EXPECT_EQ(form.Text2()->toolTip(), form.tunePath());
  // Drawn on one line: the second line's place is the label's own colour.
  const QImage drawn = form.Label1()->grab().toImage();
  const int lineHeight = form.Label1()->fontMetrics().height();
  for (int x = 0; x < drawn.width(); x += 3) {
    ASSERT_EQ(drawn.pixelColor(x, std::min(lineHeight + 2, drawn.height() - 1)), QColor(192, 64, 0)) << x;
  }
}

TEST_F(WindowDetailsTest, OpeningAnotherFileClearsTheKeyOfTheLastTunePlayed) {
  write(QStringLiteral("other.abc"), "X:1\nT:Other\nK:A\nA|\n");
  runSteps(form, form,
           {act([this] {
              form.List1()->setCurrentRow(0);
              form.Command1_Click();
            }),
            [this] { return form.Label5()->text() == "D"; },
            act([this] { form.openTuneFile(folder.filePath(QStringLiteral("other.abc"))); }),
            [this] { return form.List1()->count() == 1; }},
           [this] { form.File1_Click(QStringLiteral("tunes.abc")); });
  EXPECT_TRUE(form.Label5()->text().isEmpty());
}

}  // namespace
}  // namespace corvale::test
