// The player loop from the file click to Start: the wait that follows the
// selection, and Start before a file. A file it cannot read is in the file safety tests.
#include "ui_test_support.h"

namespace corvale::test {
namespace {

using melodex::RecordedCall;
using PlayerLoopTest = WindowTest;

// Each title chooses the tune whose T: line gave it: tune 0 for the title before the
// first X: line, tune 1, nothing listed for the untitled tune 2, and both titles of
// tune 3 (a second T: line after its key).
TEST_F(PlayerLoopTest, WaitFollowsTheSelectionAtOnceAndStartTakesTheLastPick) {
  write(QStringLiteral("tie.abc"),
        "T:Book\nK:C\nB\nX:1\nT:One\nK:C\nC\n\nX:2\nK:C\nD\n\nX:3\nT:Three\nK:C\nT:Two\nE\n");
  runLoop(QStringLiteral("tie.abc"),
          {[this] {
             EXPECT_EQ(itemTexts(form.List1()), (QStringList{"Book", "One", "Three", "Two"}));
             EXPECT_TRUE(form.Label1()->text().isEmpty());
             EXPECT_EQ(form.chosenTune(), 0u);
             const QRect title = form.List1()->rowRect(2);
             QTest::mouseClick(form.List1()->viewport(), Qt::LeftButton, {}, title.center());
           },
           [this] {
             EXPECT_EQ(form.Label1()->text(), "Three");
             EXPECT_EQ(form.chosenTune(), 3u);
             form.List1()->setCurrentRow(1);
           },
           [this] {
             EXPECT_EQ(form.chosenTune(), 1u);
             // Clicking a title changes nothing else in the window.
             EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
             EXPECT_EQ(form.Command2()->text(), "FIDDLE");
             EXPECT_TRUE(recordingPlatform().calls().empty());
             // A title picked in the same moment as Start is the one played.
             form.List1()->setCurrentRow(3);
             form.Command1_Click();
           }});
  EXPECT_EQ(form.Label1()->text(), "Two");
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

}  // namespace
}  // namespace corvale::test
