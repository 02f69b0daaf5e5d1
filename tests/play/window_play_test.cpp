// Whole plays through the real window on Qt's offscreen platform: Start and
// Stop clicks, the sliders and the instrument button, closing, and a missing
// synthesiser, with a MIDI service that records and a clock the tests own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fast_qt_host.h"
#include "melodex/recording_platform.h"
#include "player/ui/colour_button.h"
#include "player/ui/display_box.h"
#include "player/ui/form1.h"
#include "player/ui/message_area.h"

namespace corvale {
namespace {

using melodex::RecordedCall;
using testing::FastQtHost;

melodex::VirtualClock& virtualClock() {
  static melodex::VirtualClock clock;
  return clock;
}

melodex::RecordingPlatform& recordingPlatform() {
  static const auto platform = std::make_shared<melodex::RecordingPlatform>(virtualClock());
  return *platform;
}

HostFactory fastHostFactory() {
  return [](QWidget& window, melodex::PropertyStore& store) {
    return std::make_unique<FastQtHost>(&window, store, virtualClock());
  };
}

const char* const kTunes =
    "X:1\nT:Two notes\nK:D\nDc/\n"
    "X:2\nT:Ten notes\nK:C\nCDEFGABcde\n"
    "X:3\nT:Nothing to play\nK:G\n"
    "X:4\nT:Long notes\nK:C\nC4D4E4\n";

class WindowPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile file(folder.filePath("tunes.abc"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTunes);
    file.close();
    form.Dir1_Change(folder.path());
    recordingPlatform().setOpenResult(melodex::kMidiOk);
    recordingPlatform().clear();
  }

  FastQtHost& host() { return dynamic_cast<FastQtHost&>(form.host()); }
  std::int64_t nowMs() const { return virtualClock().nowMicroseconds() / 1000; }

  // Loads the file, then plays tune `row` of the list `plays` times, running
  // `beforeStart` before each Start click, and closes the window once the
  // last play is over (or at once if the window closes during it).
  void playThroughWindow(int row, int plays = 1, std::function<void()> beforeStart = {}) {
    int started = 0;
    QTimer driver;
    driver.setInterval(1);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      const bool waiting = form.runCaption() == kStartCaption && form.List2()->count() == 0;
      if (!waiting) return;
      if (started == plays) {
        form.close();
        return;
      }
      form.List1()->setCurrentRow(row);
      if (beforeStart) beforeStart();
      playStartMs = nowMs();
      ++started;
      form.Command1_Click();
    });
    driver.start();
    form.File1_Click(QStringLiteral("tunes.abc"));
  }

  std::vector<RecordedCall> sends() const {
    std::vector<RecordedCall> result;
    for (const RecordedCall& call : recordingPlatform().calls()) {
      if (call.kind == RecordedCall::Kind::Send) result.push_back(call);
    }
    return result;
  }

  std::vector<std::int32_t> noteWords() const {
    std::vector<std::int32_t> words;
    for (const RecordedCall& call : sends()) {
      if ((call.word & 0xE0) == 0x80) words.push_back(call.word);
    }
    return words;
  }

  long countOf(RecordedCall::Kind kind) const {
    const auto& calls = recordingPlatform().calls();
    return std::count_if(calls.begin(), calls.end(), [kind](const RecordedCall& call) { return call.kind == kind; });
  }

  void expectWaitingAgain() {
    EXPECT_EQ(form.Command1()->text(), kStartCaption);
    EXPECT_EQ(form.List2()->count(), 0);
    for (int box = 0; box < 31; ++box) EXPECT_TRUE(form.fingerboard().box(box)->isHidden()) << box;
  }

  QTemporaryDir folder;
  Form1 form{fastHostFactory()};
  std::int64_t playStartMs = 0;
};

TEST_F(WindowPlayTest, ShortTuneSendsItsWordsInOrderAndWaitsAgain) {
  playThroughWindow(0);

  const std::vector<RecordedCall> sent = sends();
  ASSERT_EQ(sent.size(), 21u);
  for (int channel = 0; channel < 16; ++channel) EXPECT_EQ(sent[channel].word, 0xC0 + channel);
  // D, then c sharp in the key of D.
  const std::vector<std::int32_t> tail{0x000069C7, 0x00503E97, 0x00003E87, 0x00504997, 0x00004987};
  for (std::size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(sent[16 + i].word, tail[i]) << i;
  EXPECT_EQ(sent[18].timeMicroseconds - sent[17].timeMicroseconds, 182000);
  EXPECT_EQ(sent[20].timeMicroseconds - sent[19].timeMicroseconds, 91000);
  EXPECT_EQ(countOf(RecordedCall::Kind::Open), 1);
  EXPECT_GE(countOf(RecordedCall::Kind::Close), 1);
  EXPECT_EQ(form.Command2()->text(), kBanjoCaption);
  EXPECT_EQ(form.Label5()->text(), "D");
  expectWaitingAgain();
}

TEST_F(WindowPlayTest, ReplaysTwoPlaysThreePasses) {
  playThroughWindow(0, 1, [this] { form.HScroll1()->setValue(2); });
  EXPECT_EQ(noteWords().size(), 12u);
}

TEST_F(WindowPlayTest, InstrumentAlternatesBetweenTwoPlays) {
  playThroughWindow(0, 2);

  std::vector<std::int32_t> patches;
  for (const RecordedCall& call : sends()) {
    if (call.word == 0x000069C7 || call.word == 0x00006EC7) patches.push_back(call.word);
  }
  EXPECT_EQ(patches, (std::vector<std::int32_t>{0x000069C7, 0x00006EC7}));
  EXPECT_EQ(form.Command2()->text(), kFiddleCaption);
}

TEST_F(WindowPlayTest, EmptyTuneOpensSwitchesAndCloses) {
  playThroughWindow(2);

  EXPECT_TRUE(noteWords().empty());
  EXPECT_EQ(countOf(RecordedCall::Kind::Open), 1);
  EXPECT_EQ(sends().back().word, 0x000069C7);
  EXPECT_EQ(form.Command2()->text(), kBanjoCaption);
  expectWaitingAgain();
}

TEST_F(WindowPlayTest, StopDuringTheThirdOfTenNotesEndsAfterIt) {
  playThroughWindow(1, 1, [this] {
    form.HScroll1()->setValue(5);
    host().at(nowMs() + 2 * 182 + 60, [this] { form.Command1_Click(); });
  });

  EXPECT_EQ(noteWords(), (std::vector<std::int32_t>{0x00503C97, 0x00003C87, 0x00503E97, 0x00003E87, 0x00504097,
                                                    0x00004087}));
  expectWaitingAgain();
}

TEST_F(WindowPlayTest, TempoMovedMidPlayTimesTheNextNote) {
  playThroughWindow(1, 1, [this] { host().at(nowMs() + 10, [this] { form.HScroll2()->setValue(30); }); });

  std::vector<std::int64_t> lengths;
  std::int64_t onAt = 0;
  for (const RecordedCall& call : sends()) {
    if ((call.word & 0xF0) == 0x90) onAt = call.timeMicroseconds;
    if ((call.word & 0xF0) == 0x80) lengths.push_back((call.timeMicroseconds - onAt) / 1000);
  }
  ASSERT_EQ(lengths.size(), 10u);
  EXPECT_EQ(lengths[0], 182);
  EXPECT_EQ(lengths[1], 67);
  EXPECT_EQ(lengths[9], 67);
}

TEST_F(WindowPlayTest, ClosingInALongNoteEndsEverythingAtOnce) {
  playThroughWindow(3, 1, [this] {
    form.HScroll2()->setValue(1);
    host().at(nowMs() + 8000 + 1234, [this] { form.close(); });
  });

  // File1_Click returned: the loop has ended.
  const std::vector<RecordedCall>& calls = recordingPlatform().calls();
  EXPECT_EQ(noteWords(), (std::vector<std::int32_t>{0x00503C97, 0x00003C87, 0x00503E97, 0x00003E87}));
  const auto lastOff = std::find_if(calls.rbegin(), calls.rend(), [](const RecordedCall& call) {
    return call.kind == RecordedCall::Kind::Send && call.word == 0x00003E87;
  });
  ASSERT_NE(lastOff, calls.rend());
  EXPECT_EQ(lastOff->timeMicroseconds / 1000 - playStartMs, 9234);
  const auto close = std::find_if(lastOff.base(), calls.end(),
                                  [](const RecordedCall& call) { return call.kind == RecordedCall::Kind::Close; });
  ASSERT_NE(close, calls.end());
  EXPECT_EQ(close->timeMicroseconds, lastOff->timeMicroseconds);
}

TEST_F(WindowPlayTest, WithoutASynthesiserTheTunePlaysThroughAndTheWindowSaysSoOnce) {
  recordingPlatform().setOpenResult(melodex::kMidiBadDevice);
  std::vector<std::string> messagesBeforeStart;
  playThroughWindow(0, 2, [&] {
    messagesBeforeStart.push_back(form.messageArea()->message());
    form.messageArea()->showMessage("");
  });

  EXPECT_EQ(noteWords().size(), 8u);
  EXPECT_EQ(sends().back().timeMicroseconds - sends()[sends().size() - 4].timeMicroseconds, 273000);
  ASSERT_EQ(messagesBeforeStart.size(), 2u);
  EXPECT_EQ(messagesBeforeStart[0], "");
  EXPECT_NE(messagesBeforeStart[1].find("No sound output"), std::string::npos) << messagesBeforeStart[1];
  EXPECT_EQ(form.messageArea()->message(), "") << "said again at the second play";
}

}  // namespace
}  // namespace corvale

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  std::shared_ptr<melodex::RecordingPlatform> platform(&corvale::recordingPlatform(),
                                                      [](melodex::RecordingPlatform*) {});
  melodex::installPlatform(platform);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
