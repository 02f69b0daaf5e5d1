// The "Reading" menu: the classic reading at first, the tune list made anew
// when the reading changes, the chosen tune played under it, and the choice
// kept for the next run.
#include <QAction>
#include <algorithm>

#include "main_window_support.h"

namespace corvale::test {
namespace {

// Tune 2 has no title, so only the standard reading lists it (by its
// number); tune 1's key with a space is known only to the standard reading.
constexpr const char* kMixedFile = "X:1\nT:Gee\nK: Gmaj\nF|\n\nX:2\nK:D\nD|\n\nX:3\nT:Third\nK:A\nA|\n";

constexpr std::int32_t kFNoteOn = 0x00504197;       // F, 65, velocity 80 on channel 8
constexpr std::int32_t kFSharpNoteOn = 0x00504297;  // F sharp, 66

bool sent(std::int32_t word) {
  const std::vector<std::int32_t> words = recordingPlatform().sentWords();
  return std::find(words.begin(), words.end(), word) != words.end();
}

// The classic reading plays tune 1 without sharps (it does not know the key " Gmaj");
// the standard one, chosen while waiting, lists the file anew and sharpens its F.
TEST_F(MainWindowTest, ChangingTheReadingWhileWaitingListsTheFileAnewAndStartPlaysUnderIt) {
  EXPECT_EQ(form().reading(), Reading::Classic);
  write(QStringLiteral("mixed.abc"), kMixedFile);
  window.openTuneFile(path(QStringLiteral("mixed.abc")));
  runSteps({[this] { return form().List1()->count() == 2; },
            act([this] {
              EXPECT_EQ(itemTexts(form().List1()), (QStringList{"Gee", "Third"}));
              form().List1()->setCurrentRow(0);
              form().Command1_Click();
            }),
            [this] { return form().Command1()->text() == "CLICK TO START"; },
            act([this] {
              EXPECT_TRUE(sent(kFNoteOn));
              EXPECT_EQ(form().Label5()->text(), " Gmaj");
              recordingPlatform().clear();
              form().List1()->setCurrentRow(1);
            }),
            [this] { return form().chosenTune() == 3; },
            act([this] { window.readingMenu().standard()->trigger(); }),
            [this] { return form().List1()->count() == 3; },
            act([this] {
              EXPECT_EQ(itemTexts(form().List1()), (QStringList{"Gee", "2", "Third"}));
              EXPECT_EQ(form().List1()->currentRow(), 2) << "the chosen tune stays chosen";
              EXPECT_EQ(form().chosenTune(), 3u);
              form().List1()->setCurrentRow(0);
            }),
            [this] { return form().chosenTune() == 1; },
            act([this] { form().Command1_Click(); }),
            [this] { return form().Command1()->text() == "CLICK TO START"; }});
  EXPECT_TRUE(sent(kFSharpNoteOn)) << "K: Gmaj sharpens F under the standard reading";
  EXPECT_FALSE(sent(kFNoteOn));
  EXPECT_EQ(form().Label5()->text(), "Gmaj");
}

TEST_F(MainWindowTest, TheChosenReadingAndPlayOrnamentsAreKeptForTheNextRun) {
  EXPECT_FALSE(window.readingMenu().playOrnaments()->isChecked()) << "off at first";
  EXPECT_FALSE(form().readingOptions().playOrnaments);
  window.readingMenu().standard()->trigger();
  window.readingMenu().playOrnaments()->trigger();
  EXPECT_EQ(form().reading(), Reading::Standard);
  EXPECT_TRUE(form().readingOptions().playOrnaments);
  MainWindow nextRun;
  EXPECT_TRUE(nextRun.readingMenu().standard()->isChecked());
  EXPECT_EQ(nextRun.form().reading(), Reading::Standard);
  EXPECT_TRUE(nextRun.readingMenu().playOrnaments()->isChecked());
  EXPECT_TRUE(nextRun.form().readingOptions().playOrnaments);
  nextRun.readingMenu().classic()->trigger();
  nextRun.readingMenu().playOrnaments()->trigger();
  EXPECT_EQ(ReadingMenu::storedReading(), Reading::Classic);
  EXPECT_FALSE(ReadingMenu::storedPlayOrnaments());
}

}  // namespace
}  // namespace corvale::test
