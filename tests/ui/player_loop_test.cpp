// The player loop from the file click to Start: the wait that follows the
// selection, Start before a file, a file it cannot read.
#include "ui_test_support.h"

namespace corvale::test {
namespace {

using melodex::RecordedCall;
using PlayerLoopTest = WindowTest;

TEST_F(PlayerLoopTest, WaitFollowsTheSelectionAtOnceAndStartTakesTheLastPick) {
  runLoop(QStringLiteral("tunes.abc"),
          {[this] {
             EXPECT_TRUE(form.Label1()->text().isEmpty());
             EXPECT_EQ(form.chosenTune(), 0u);
             const QRect title = form.List1()->rowRect(1);
             QTest::mouseClick(form.List1()->viewport(), Qt::LeftButton, {}, title.center());
           },
           [this] {
             EXPECT_EQ(form.Label1()->text(), " Second");
             EXPECT_EQ(form.chosenTune(), 2u);
             // Clicking a title changes nothing else in the window.
             EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
             EXPECT_EQ(form.Command2()->text(), "FIDDLE");
             EXPECT_TRUE(recordingPlatform().calls().empty());
             // A title picked in the same moment as Start is the one played.
             form.List1()->setCurrentRow(2);
             form.Command1_Click();
           }});
  EXPECT_EQ(form.Label1()->text(), "Third");
  EXPECT_EQ(form.chosenTune(), 3u);
}

TEST_F(PlayerLoopTest, StartBeforeAFileSkipsTheFirstWaitAndPlaysAtOnce) {
  form.Command1_Click();
  runLoop(QStringLiteral("tunes.abc"), {[this] {
            // The play ran before this first step: it opened the output and set
            // the run state back to idle, with nothing chosen.
            EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
          }});
  const auto& calls = recordingPlatform().calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, RecordedCall::Kind::Open);
  EXPECT_EQ(form.chosenTune(), 0u);
  EXPECT_EQ(form.Command2()->text(), "BANJO");
}

TEST_F(PlayerLoopTest, UnreadableFileIsReportedWherePictureStoodAndTheLoopKeepsWaiting) {
  // Replaced by a folder after it was listed: it cannot be read, whoever runs the player.
  QFile::remove(folder.filePath(QStringLiteral("tunes.abc")));
  QDir(folder.path()).mkdir(QStringLiteral("tunes.abc"));
  bool waited = false;
  runLoop(QStringLiteral("tunes.abc"), {[&] { waited = true; }});
  EXPECT_TRUE(waited) << "the loop should wait on window events after the report";
  EXPECT_EQ(form.List1()->count(), 0);
  EXPECT_FALSE(form.messageArea()->isHidden());
  EXPECT_NE(form.messageArea()->message().find("tunes.abc"), std::string::npos);
  EXPECT_EQ(form.messageArea()->geometry(), form.Picture1()->geometry());
  EXPECT_TRUE(form.Picture1()->isHidden());
  EXPECT_EQ(fillColour(form.messageArea(), 1), QColor(Qt::black));
  EXPECT_EQ(form.messageArea()->palette().color(QPalette::WindowText), QColor(Qt::white));
}

}  // namespace
}  // namespace corvale::test
