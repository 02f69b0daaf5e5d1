// Practice in the program's window on Qt's offscreen platform, with a MIDI service
// that records and a clock the tests own: the Practice menu under either reading,
// pause and go on, the followed line, a double-click on a line, the instrument
// kept, and no note left sounding however a practice play ends.
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <random>

#include "player/app/main_window.h"
#include "player/window/colour_button.h"
#include "player/window/tune_line_marks.h"
#include "window_play_support.h"

namespace corvale {
namespace {

using namespace testing;

const char* const kTunes =
    "X:1\nT:Ten notes\nM:4/4\nL:1/8\nK:C\nCDEF GABc|\nde z2 z4|\n"
    "X:2\nT:Two parts\nM:2/4\nL:1/8\nK:G\n|:G2A2|B4:|\n|:d2e2|1g4:|2f4|]\n"
    "X:3\nT:No key, a rest\nC2zD/E3/2G\n";

class PracticeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    melodex::installPlatform(recording);
    std::ofstream(folder.filePath("tunes.abc").toStdString()) << kTunes;
    QSettings(QStringLiteral("corvale"), QStringLiteral("corvale")).clear();
    openWindow();
  }

  void openWindow() {
    window.reset();
    window = std::make_unique<MainWindow>(fastHosts());
    form().Dir1_Change(folder.path());
    recording->setOpenResult(melodex::kMidiOk);
    recording->clear();
  }

  Form1& form() { return window->form(); }
  PracticeMenu& practice() { return window->practiceMenu(); }
  FastQtHost& host() { return fastHost(form()); }

  // Lists the file under `reading` and plays the tune at `row`, running `beforeStart` first.
  void play(Reading reading, int row, const std::function<void()>& beforeStart) {
    (reading == Reading::Standard ? window->readingMenu().standard() : window->readingMenu().classic())->trigger();
    startMs = playRows(form(), {row}, beforeStart);
  }

  // The notes that sound on the fiddle's and banjo's channel, in order.
  static std::vector<int> notesHeard() {
    std::vector<int> heard;
    for (const RecordedCall& call : noteCalls()) {
      if ((call.word & 0xFF) == 0x97 && (call.word >> 16) != 0) heard.push_back(call.word >> 8 & 0xFF);
    }
    return heard;
  }

  QTemporaryDir folder;
  std::unique_ptr<MainWindow> window;
  std::int64_t startMs = 0;
};

TEST_F(PracticeWindowTest, EntriesThatNeedBarsAreGreyedUnderTheClassicReadingAndSayWhy) {
  std::vector<QString> partsUnderStandard;
  bool barsUnderStandard = false;
  play(Reading::Classic, 1, [&] {
    EXPECT_FALSE(practice().loopBars()->isEnabled());
    EXPECT_FALSE(practice().startFromBar()->isEnabled());
    EXPECT_NE(practice().loopBars()->toolTip().indexOf("standard reading"), -1);
    EXPECT_TRUE(practice().loopParts().empty());
    EXPECT_TRUE(practice().loopWholeTune()->isEnabled());
    EXPECT_TRUE(practice().countIn()->isEnabled());
    EXPECT_TRUE(practice().pause()->isEnabled());
  });
  openWindow();
  play(Reading::Standard, 1, [&] {
    for (QAction* part : practice().loopParts()) partsUnderStandard.push_back(part->text());
    barsUnderStandard = practice().loopBars()->isEnabled() && practice().startFromBar()->isEnabled();
  });
  EXPECT_EQ(partsUnderStandard, (std::vector<QString>{"Part &A", "Part &B"}));
  EXPECT_TRUE(barsUnderStandard);
}

TEST_F(PracticeWindowTest, PauseEndsTheSoundingNoteHoldsAndGoesOnFromTheNext) {
  QString captionWhileHeld;
  std::size_t wordsWhenHeld = 0;
  std::size_t wordsWhenGoingOn = 0;
  play(Reading::Classic, 0, [&] {
    host().at(nowMs() + 2 * 182 + 60, [&] {
      practice().pause()->trigger();
      // Real time goes by while the play holds; the tests' clock stands still.
      QTimer::singleShot(30, [&] {
        captionWhileHeld = form().Command1()->text();
        wordsWhenHeld = recording->calls().size();
        QTimer::singleShot(30, [&] {
          wordsWhenGoingOn = recording->calls().size();
          practice().pause()->trigger();
        });
      });
    });
  });
  EXPECT_EQ(captionWhileHeld, kPausedCaption);
  EXPECT_EQ(wordsWhenHeld, wordsWhenGoingOn) << "nothing sent while held";
  const std::vector<RecordedCall> notes = noteCalls();  // no clicks asked for: all on channel 8
  // The third note (E) ends at its time; F comes at once after going on.
  ASSERT_GE(notes.size(), 8u);
  EXPECT_EQ(notes[5].word, 0x00004087);
  EXPECT_EQ(notes[5].timeMicroseconds / 1000 - startMs, 546);
  EXPECT_EQ(notes[6].word, 0x00504197);
  EXPECT_EQ(notesHeard().size(), 10u);
  expectNothingSounding(form());
}

TEST_F(PracticeWindowTest, StopDuringAPauseEndsThePlay) {
  play(Reading::Classic, 0, [&] {
    host().at(nowMs() + 100, [&] {
      practice().pause()->trigger();
      QTimer::singleShot(20, [&] { form().Command1_Click(); });
    });
  });
  EXPECT_EQ(notesHeard(), (std::vector<int>{60}));
  expectNothingSounding(form());
}

TEST_F(PracticeWindowTest, TheFollowedLineAndNoteAreMarkedAndClearedAtTheEnd) {
  practice().follow()->setChecked(true);
  int rowDuringFirstNote = -1;
  std::pair<int, int> noteDuringFirstNote;
  int rowInSecondLine = -1;
  auto* marks = dynamic_cast<TuneLineMarks*>(form().List2()->itemDelegate());
  ASSERT_NE(marks, nullptr);
  play(Reading::Standard, 0, [&] {
    host().at(nowMs() + 90, [&] {
      rowDuringFirstNote = form().List2()->currentRow();
      noteDuringFirstNote = marks->markedCharacters();
    });
    host().at(nowMs() + 8 * 182 + 90, [&] { rowInSecondLine = marks->markedRow(); });
  });
  // Lines: X:, T:, M:, L:, K:, then the music from line 5.
  EXPECT_EQ(rowDuringFirstNote, 5);
  EXPECT_EQ(noteDuringFirstNote, (std::pair<int, int>{0, 1}));
  EXPECT_EQ(rowInSecondLine, 6);
  EXPECT_EQ(marks->markedRow(), -1);
  expectNothingSounding(form());
}

TEST_F(PracticeWindowTest, ADoubleClickOnALineStartsAgainFromItsFirstBar) {
  play(Reading::Standard, 1, [&] {
    host().at(nowMs() + 100, [&] {
      // The second line of music, "|:d2e2|1g4:|2f4|]", begins at bar 3.
      emit form().List2()->itemDoubleClicked(form().List2()->item(6));
      host().at(nowMs() + 3 * 364, [&] { form().Command1_Click(); });
    });
  });
  // G sounds to its end, then the play starts again at bar 3: d e g, stopped in g.
  EXPECT_EQ(notesHeard(), (std::vector<int>{67, 74, 76, 79}));
  EXPECT_NE(practice().startFromBar()->text().indexOf("bar 3"), -1);
  expectNothingSounding(form());
}

TEST_F(PracticeWindowTest, UncheckedSwitchingKeepsTheInstrumentTheButtonShows) {
  practice().switchInstrumentAtEachStart()->setChecked(false);
  play(Reading::Classic, 0, {});
  openWindow();
  EXPECT_FALSE(practice().switchInstrumentAtEachStart()->isChecked()) << "kept in the settings";
  play(Reading::Classic, 0, {});
  EXPECT_EQ(form().Command2()->text(), kFiddleCaption);
}

// A quarter of the trials play the classic tune of a rest and odd lengths with no
// practice at all; the rest loop a tune with or without count-in and metronome.
TEST_F(PracticeWindowTest, StopOrCloseAnywhereInAPlayLeavesNothingSounding) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 32; ++trial) {
    openWindow();
    const bool plain = trial % 4 == 3;
    practice().countIn()->setChecked(!plain && trial % 2 == 0);
    practice().countInEachPass()->setChecked(true);
    practice().metronome()->setChecked(!plain && trial % 3 != 0);
    const bool stop = random() % 2 == 0;
    const std::int64_t instant = random() % (plain ? 1365 : 6000);  // in the count-in, a pass, or a later one
    play(plain ? Reading::Classic : Reading::Standard, plain ? 2 : trial % 2, [&] {
      if (!plain) practice().loopWholeTune()->trigger();
      host().at(nowMs() + instant, [&] {
        if (stop) form().Command1_Click();
        else form().close();
      });
    });
    SCOPED_TRACE("trial " + std::to_string(trial) + (stop ? ": stop" : ": close") + " at " + std::to_string(instant));
    expectNothingSounding(form());
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace corvale
