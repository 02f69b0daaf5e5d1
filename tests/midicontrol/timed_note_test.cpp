#include <gtest/gtest.h>

#include "melodex/midi_control.h"
#include "melodex/runtime_error.h"
#include "test_host.h"

using melodex::MidiControl;
using melodex::RecordedCall;

namespace {

constexpr std::int64_t kStart = 5'000'000'000'000;  // far past 24.8 days of uptime, in microseconds

class TimedNote : public ::testing::Test {
 protected:
  TimedNote() {
    host.virtualClock.advanceTo(kStart);
    control.OpenHandle();
    output.platform->clear();
  }

  // Time of each word sent, relative to the start.
  std::vector<std::pair<std::int32_t, std::int64_t>> timeline() const {
    std::vector<std::pair<std::int32_t, std::int64_t>> sent;
    for (const RecordedCall& call : output.platform->calls()) {
      if (call.kind == RecordedCall::Kind::Send) sent.emplace_back(call.word, call.timeMicroseconds - kStart);
    }
    return sent;
  }

  TestHost host;
  RecordingOutput output{host};
  MidiControl control{host};
};

TEST_F(TimedNote, OneBeatAt140BpmLasts429MillisecondsThenStops) {
  control.SetBPM(140);
  EXPECT_EQ(control.PlayNote(60, 80, 8, 1.0), 0);
  EXPECT_EQ(timeline(), (std::vector<std::pair<std::int32_t, std::int64_t>>{{0x00503C97, 0}, {0x00003C87, 429'000}}));
}

TEST_F(TimedNote, WaitIsRoundedHalvesToEven) {
  control.SetBPM(330);
  control.PlayNote(60, 80, 1, 1.0);  // 181.8 ms
  control.SetBPM(240);
  control.PlayNote(60, 80, 1, 0.0021);  // 0.525 ms rounds to 1
  control.SetBPM(60000);
  control.PlayNote(60, 80, 1, 2.5);  // exactly 2.5 ms rounds to 2
  EXPECT_EQ(host.waitDeadlines, (std::vector<std::int64_t>{kStart + 182'000, kStart + 183'000, kStart + 185'000}));
}

TEST_F(TimedNote, EventsAreHandledDuringTheWaitBeforeTheNoteOff) {
  control.SetBPM(120);
  std::vector<std::int32_t> wordsSeenByHandler;
  host.queueEvent([&] {
    wordsSeenByHandler = output.platform->sentWords();
    control.ChangePatch(8, 105);  // a button pressed mid-note
  });
  control.PlayNote(62, 80, 8, 1.0);
  EXPECT_EQ(wordsSeenByHandler, std::vector<std::int32_t>{0x00503E97});
  EXPECT_EQ(output.platform->sentWords(), (std::vector<std::int32_t>{0x00503E97, 0x000069C7, 0x00003E87}));
}

TEST_F(TimedNote, DurationZeroReturnsAtOnceLeavingTheNoteOn) {
  control.PlayNote(60, 80, 8, 0.0);
  EXPECT_EQ(output.platform->sentWords(), std::vector<std::int32_t>{0x00503C97});
  EXPECT_TRUE(host.waitDeadlines.empty());
  EXPECT_EQ(host.processCalls, 0);
  control.StopNote(60, 8);
  EXPECT_EQ(output.platform->sentWords().back(), 0x00003C87);
}

TEST_F(TimedNote, NegativeOrTinyWaitHandlesEventsOnceAndStopsAtOnce) {
  control.SetBPM(-120);
  control.PlayNote(60, 80, 1, 1.0);
  control.SetBPM(120);
  control.PlayNote(60, 80, 1, 0.0001);  // 0.05 ms rounds to 0
  EXPECT_EQ(host.processCalls, 2);
  EXPECT_TRUE(host.waitDeadlines.empty());
  EXPECT_EQ(output.platform->sentWords(), (std::vector<std::int32_t>{0x503C90, 0x3C80, 0x503C90, 0x3C80}));
}

TEST_F(TimedNote, BpmZeroFailsAfterTheNoteOn) {
  control.SetBPM(0);
  try {
    control.PlayNote(60, 80, 1, 1.0);
    FAIL() << "expected division by zero";
  } catch (const melodex::RuntimeError& error) {
    EXPECT_EQ(error.number(), melodex::kDivisionByZero);
  }
  EXPECT_EQ(output.platform->sentWords(), std::vector<std::int32_t>{0x503C90});
}

TEST_F(TimedNote, WaitTooLongForThirtyTwoBitsOverflowsAfterTheNoteOn) {
  control.SetBPM(1);
  try {
    control.PlayNote(60, 80, 1, 40000.0);  // 2.4e9 ms
    FAIL() << "expected overflow";
  } catch (const melodex::RuntimeError& error) {
    EXPECT_EQ(error.number(), melodex::kOverflow);
  }
  EXPECT_EQ(output.platform->sentWords(), std::vector<std::int32_t>{0x503C90});
}

TEST_F(TimedNote, ClosingHostEndsTheWaitAndStillStopsTheNote) {
  control.SetBPM(60);
  host.queueEvent([&] {
    host.virtualClock.advanceBy(100'000);
    host.closingNow = true;
  });
  control.PlayNote(60, 80, 1, 4.0);
  EXPECT_EQ(timeline(), (std::vector<std::pair<std::int32_t, std::int64_t>>{{0x503C90, 0}, {0x3C80, 100'000}}));
}

TEST_F(TimedNote, NestedNoteDuringAWaitKeepsTheOuterNoteOff) {
  control.SetBPM(60);
  host.queueEvent([&] { control.PlayNote(64, 90, 2, 0.5); });
  control.PlayNote(60, 80, 1, 1.0);
  EXPECT_EQ(output.platform->sentWords(), (std::vector<std::int32_t>{0x503C90, 0x5A4091, 0x4081, 0x3C80}));
}

TEST_F(TimedNote, AWaitThatEndsEarlyIsResumedUntilTheDeadline) {
  host.longestWait = 100'000;
  control.SetBPM(60);
  control.PlayNote(60, 80, 1, 0.45);
  EXPECT_EQ(host.waitDeadlines.size(), 5u);
  EXPECT_EQ(timeline().back().second, 450'000);
}

}  // namespace
