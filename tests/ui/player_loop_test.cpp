// The player loop from the file click to Start: the tune list, the wait that
// follows the selection, Start before a file, a file it cannot read, closing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTest>
#include <algorithm>

#include "melodex/recording_platform.h"
#include "player/ui/colour_button.h"
#include "player/ui/display_box.h"
#include "player/ui/folder_list.h"
#include "player/ui/form1.h"
#include "player/ui/message_area.h"
#include "player/ui/picture_box.h"
#include "ui_test_support.h"

namespace corvale {
namespace {

using melodex::RecordedCall;

constexpr const char* kThreeTunes = "X:1\nT:The First\nK:D\nD|\nX:2\nT: Second\nT:Subtitle\nK:G\nG|\nX:3\nT:Third\nK:A\nA|\n";

class PlayerLoopTest : public testing::Test {
 protected:
  void SetUp() override {
    folder.write(QStringLiteral("tunes.abc"), kThreeTunes);
    form.Dir1()->setFolder(folder.path());
    form.Dir1_Change(folder.path());
    test::recordingPlatform().clear();
  }

  QStringList listedTitles() const {
    QStringList titles;
    for (int row = 0; row < form.List1()->count(); ++row) titles << form.List1()->item(row)->text();
    return titles;
  }

  // Runs the player loop on `file` with `steps` taken from inside its wait;
  // the window closes after the last step.
  void runLoop(const QString& file, std::vector<std::function<void()>> steps) {
    steps.push_back([this] { form.close(); });
    test::runSteps(std::move(steps));
    form.File1_Click(file);
  }

  test::TuneFolder folder;
  Form1 form;
};

TEST_F(PlayerLoopTest, ListsOneTitlePerTuneInFileOrder) {
  runLoop(QStringLiteral("tunes.abc"), {});
  EXPECT_EQ(listedTitles(), (QStringList{"The First", " Second", "Third"}));
  EXPECT_TRUE(form.messageArea()->isHidden());
}

TEST_F(PlayerLoopTest, WaitFollowsTheSelectionAtOnce) {
  QString titleAfterFirstPick;
  std::uint64_t tuneAfterFirstPick = 99;
  runLoop(QStringLiteral("tunes.abc"),
          {[this] {
             EXPECT_TRUE(form.Label1()->text().isEmpty());
             EXPECT_EQ(form.chosenTune(), 0u);
             form.List1()->setCurrentRow(1);
           },
           [&] {
             titleAfterFirstPick = form.Label1()->text();
             tuneAfterFirstPick = form.chosenTune();
             form.List1()->setCurrentRow(2);
           }});
  EXPECT_EQ(titleAfterFirstPick, " Second");
  EXPECT_EQ(tuneAfterFirstPick, 2u);
  EXPECT_EQ(form.Label1()->text(), "Third");
  EXPECT_EQ(form.chosenTune(), 3u);
}

TEST_F(PlayerLoopTest, ClickingATitleChangesNothingElseInTheWindow) {
  runLoop(QStringLiteral("tunes.abc"), {[this] {
            const QRect title = form.List1()->visualItemRect(form.List1()->item(0));
            QTest::mouseClick(form.List1()->viewport(), Qt::LeftButton, {}, title.center());
          }});
  EXPECT_EQ(form.Label1()->text(), "The First");
  EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
  EXPECT_EQ(form.Command2()->text(), "FIDDLE");
  EXPECT_TRUE(test::recordingPlatform().calls().empty());
}

TEST_F(PlayerLoopTest, TitlePickedJustBeforeStartIsTheOnePlayed) {
  runLoop(QStringLiteral("tunes.abc"), {[this] {
            form.List1()->setCurrentRow(2);
            form.Command1_Click();
          }});
  EXPECT_EQ(form.chosenTune(), 3u);
  EXPECT_EQ(form.Label1()->text(), "Third");
}

TEST_F(PlayerLoopTest, StartBeforeAFileSkipsTheFirstWaitAndPlaysAtOnce) {
  form.Command1_Click();
  runLoop(QStringLiteral("tunes.abc"), {[this] {
            // The play ran before this first step: it opened the output and set
            // the run state back to idle, with nothing chosen.
            EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
          }});
  const auto& calls = test::recordingPlatform().calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, RecordedCall::Kind::Open);
  EXPECT_EQ(form.chosenTune(), 0u);
  EXPECT_EQ(form.Command2()->text(), "BANJO");
}

TEST_F(PlayerLoopTest, UnreadableFileIsReportedAndTheLoopKeepsWaiting) {
  // Replaced by a folder after it was listed: it cannot be read, whoever runs the player.
  QFile::remove(folder.pathOf(QStringLiteral("tunes.abc")));
  QDir(folder.path()).mkdir(QStringLiteral("tunes.abc"));
  bool stillWaiting = false;
  runLoop(QStringLiteral("tunes.abc"), {[&] {
            form.List1()->setCurrentRow(0);
            form.HScroll2()->setValue(20);
          },
                                        [&] { stillWaiting = form.Text6()->text() == " 20"; }});
  EXPECT_TRUE(stillWaiting);
  EXPECT_EQ(form.List1()->count(), 0);
  EXPECT_FALSE(form.messageArea()->isHidden());
  EXPECT_NE(form.messageArea()->message().find("tunes.abc"), std::string::npos);
  EXPECT_EQ(form.messageArea()->geometry(), form.Picture1()->geometry());
}

TEST_F(PlayerLoopTest, FileRemovedAfterListingIsReportedWithItsName) {
  QFile::remove(folder.pathOf(QStringLiteral("tunes.abc")));
  runLoop(QStringLiteral("tunes.abc"), {});
  EXPECT_EQ(form.List1()->count(), 0);
  EXPECT_FALSE(form.messageArea()->isHidden());
  EXPECT_NE(form.messageArea()->message().find("tunes.abc"), std::string::npos);
}

TEST_F(PlayerLoopTest, ClosingWhileWaitingEndsTheLoop) {
  runLoop(QStringLiteral("tunes.abc"), {});
  EXPECT_TRUE(form.closing());
  EXPECT_TRUE(form.host().closing());
}

TEST_F(PlayerLoopTest, ClosingWhilePlayingEndsTheLoopWithTheOutputClosed) {
  folder.write(QStringLiteral("long.abc"), "X:1\nT:Long\nK:D\nD8D8D8D8D8D8D8D8|\n");
  runLoop(QStringLiteral("long.abc"), {[this] {
            form.List1()->setCurrentRow(0);
            form.Command1_Click();
          }});
  const auto& calls = test::recordingPlatform().calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, RecordedCall::Kind::Open);
  const auto closeCall = std::find_if(calls.begin(), calls.end(),
                                      [](const RecordedCall& call) { return call.kind == RecordedCall::Kind::Close; });
  EXPECT_NE(closeCall, calls.end());
}

}  // namespace
}  // namespace corvale
