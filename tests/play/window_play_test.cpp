// Whole plays through the real window on Qt's offscreen platform: Start and
// Stop clicks, the sliders and the instrument button, closing, and a missing
// synthesiser, with a MIDI service that records and a clock the tests own.
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "player/window/colour_button.h"
#include "player/window/display_box.h"
#include "player/window/message_area.h"
#include "window_play_support.h"

namespace corvale {
namespace {

using namespace testing;
using Words = std::vector<std::int32_t>;
using Lengths = std::vector<std::int64_t>;

const char* const kTunes =
    "X:1\nT:Two notes\nK:D\nDc/\n"
    "X:2\nT:Ten notes\nK:C\nCDEFGABcde\n"
    "X:3\nT:Nothing to play\nK:G\n"
    "X:4\nT:Long notes\nK:C\nC4D4E4\n"
    "X:5\nT:No key, a rest\nC2zD/E3/2G\n";

class WindowPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    melodex::installPlatform(recording);
    std::ofstream(folder.filePath("tunes.abc").toStdString()) << kTunes;
    form = std::make_unique<Form1>(fastHosts());
    form->Dir1_Change(folder.path());
    recording->setOpenResult(melodex::kMidiOk);
    recording->clear();
  }

  FastQtHost& host() { return fastHost(*form); }

  static Words noteWords() {
    Words words;
    for (const RecordedCall& call : noteCalls()) words.push_back(call.word);
    return words;
  }

  // How long each note sounded, in milliseconds of the tests' clock.
  static Lengths noteLengthsMs() {
    Lengths lengths;
    std::int64_t onAt = 0;
    for (const RecordedCall& call : noteCalls()) {
      if ((call.word & 0xF0) == 0x90) onAt = call.timeMicroseconds;
      else lengths.push_back((call.timeMicroseconds - onAt) / 1000);
    }
    return lengths;
  }

  QTemporaryDir folder;
  std::unique_ptr<Form1> form;
};

TEST_F(WindowPlayTest, ShortTuneSendsItsWordsInOrderOncePerPassAndWaitsAgain) {
  // Replays count at Start only: moving the slider during the play changes nothing.
  playRows(*form, {0}, [this] {
    form->HScroll1()->setValue(2);
    host().at(nowMs() + 100, [this] { form->HScroll1()->setValue(0); });
  });

  const Words sent = recording->sentWords();
  ASSERT_EQ(sent.size(), 17u + 3 * 4);
  for (int channel = 0; channel < 16; ++channel) EXPECT_EQ(sent[channel], 0xC0 + channel);
  EXPECT_EQ(sent[16], 0x000069C7) << "banjo on channel 8";
  // D, then c sharp in the key of D, three times.
  const Words pass{0x00503E97, 0x00003E87, 0x00504997, 0x00004987};
  Words passes;
  for (int replay = 0; replay < 3; ++replay) passes.insert(passes.end(), pass.begin(), pass.end());
  EXPECT_EQ(noteWords(), passes);
  EXPECT_EQ(noteLengthsMs(), (Lengths{182, 91, 182, 91, 182, 91}));
  expectNothingSounding(*form);
  EXPECT_EQ(form->Command2()->text(), kBanjoCaption);
  EXPECT_EQ(form->Label5()->text(), "D");
}

TEST_F(WindowPlayTest, InstrumentAlternatesAndEachPlayParsesItsTuneAfreshAnEmptyOneToo) {
  playRows(*form, {0, 2, 4});

  Words patches;
  for (const std::int32_t word : recording->sentWords()) {
    if (word == 0x000069C7 || word == 0x00006EC7) patches.push_back(word);
  }
  EXPECT_EQ(patches, (Words{0x000069C7, 0x00006EC7, 0x000069C7}));
  EXPECT_EQ(form->Command2()->text(), kBanjoCaption);
  EXPECT_EQ(noteWords().size(), 2u * (2 + 0 + 5));
  EXPECT_EQ(form->Label5()->text(), "") << "key text kept from the tune before";
  // Each play opens the output and closes it, the empty tune's too.
  const auto closes = std::count_if(recording->calls().begin(), recording->calls().end(),
                                    [](const RecordedCall& call) { return call.kind == RecordedCall::Kind::Close; });
  EXPECT_EQ(closes, 3);
  EXPECT_EQ(recording->calls().back().kind, RecordedCall::Kind::Close);
}

TEST_F(WindowPlayTest, StopDuringTheThirdOfTenNotesEndsAfterIt) {
  bool onlyBoxOfEShown = false;
  playRows(*form, {1}, [this, &onlyBoxOfEShown] {
    form->HScroll1()->setValue(5);
    host().at(nowMs() + 2 * 182 + 60, [this, &onlyBoxOfEShown] {
      onlyBoxOfEShown = !form->fingerboard().box(64 - 55)->isHidden() && test::visibleBoxes(form->fingerboard()).size() == 1;
      form->Command1_Click();
    });
  });

  EXPECT_TRUE(onlyBoxOfEShown);
  EXPECT_EQ(noteWords(), (Words{0x00503C97, 0x00003C87, 0x00503E97, 0x00003E87, 0x00504097, 0x00004087}));
  expectNothingSounding(*form);
}

TEST_F(WindowPlayTest, TempoMovedMidPlayTimesTheNextNoteAndTheInstrumentChangesAtOnce) {
  const std::int64_t startMs = playRows(*form, {1}, [this] {
    host().at(nowMs() + 10, [this] { form->HScroll2()->setValue(30); });
    host().at(nowMs() + 100, [this] { form->Command2_Click(); });
  });

  EXPECT_EQ(noteLengthsMs(), (Lengths{182, 67, 67, 67, 67, 67, 67, 67, 67, 67}));
  const std::vector<RecordedCall>& calls = recording->calls();
  const auto patch = std::find_if(calls.begin(), calls.end(), [](const RecordedCall& call) { return call.word == 0x6EC7; });
  ASSERT_NE(patch, calls.end());
  EXPECT_EQ(patch->timeMicroseconds / 1000 - startMs, 100) << "fiddle patch, while the first note sounds";
  EXPECT_EQ(form->Command2()->text(), kFiddleCaption);
}

TEST_F(WindowPlayTest, ClosingInALongNoteEndsEverythingAtOnce) {
  playRows(*form, {3}, [this] {
    form->HScroll2()->setValue(1);
    host().at(nowMs() + 8000 + 1234, [this] { form->close(); });
  });

  // playThroughWindow returned: the loop has ended.
  EXPECT_EQ(noteWords(), (Words{0x00503C97, 0x00003C87, 0x00503E97, 0x00003E87}));
  EXPECT_EQ(noteLengthsMs(), (Lengths{8000, 1234})) << "second note cut at the close";
  expectNothingSounding(*form);
  EXPECT_EQ(recording->calls().back().timeMicroseconds, noteCalls().back().timeMicroseconds) << "closed at once";
}

TEST_F(WindowPlayTest, WithoutASynthesiserTheTunePlaysThroughAndTheWindowSaysSoOnce) {
  recording->setOpenResult(melodex::kMidiBadDevice);
  std::vector<std::string> messagesBeforeStart;
  playRows(*form, {0, 0}, [&] {
    messagesBeforeStart.push_back(form->messageArea()->message());
    form->messageArea()->showMessage("");
  });

  EXPECT_EQ(noteLengthsMs(), (Lengths{182, 91, 182, 91}));
  ASSERT_EQ(messagesBeforeStart.size(), 2u);
  EXPECT_EQ(messagesBeforeStart[0], "");
  EXPECT_NE(messagesBeforeStart[1].find("No sound output could be opened"), std::string::npos) << messagesBeforeStart[1];
  EXPECT_EQ(form->messageArea()->message(), "") << "said again at the second play";
}

}  // namespace
}  // namespace corvale
