#include <gtest/gtest.h>

#include "test_host.h"

using melodex::RecordedCall;
using Words = std::vector<std::int32_t>;
using Timeline = std::vector<std::pair<std::int32_t, std::int64_t>>;  // each word sent, with its time from the start

namespace {

constexpr std::int64_t kStart = 5'000'000'000'000;  // far past 24.8 days of uptime, in microseconds

class TimedNote : public ControlTest {
 protected:
  TimedNote() {
    host.virtualClock.advanceTo(kStart);
    openAndForget();
  }

  Timeline timeline() const {
    Timeline sent;
    for (const RecordedCall& call : output.platform->calls()) {
      if (call.kind == RecordedCall::Kind::Send) sent.emplace_back(call.word, call.timeMicroseconds - kStart);
    }
    return sent;
  }
};

TEST_F(TimedNote, OneBeatAt140BpmHandlesEventsDuringIts429MillisecondsThenStops) {
  control.SetBPM(140);
  Words seenByHandler;
  host.queueEvent([&] {
    seenByHandler = output.platform->sentWords();
    control.ChangePatch(8, 105);       // a button pressed mid-note
    control.PlayNote(64, 90, 2, 0.5);  // a nested timed note leaves the outer note-off intact
  });
  EXPECT_EQ(control.PlayNote(60, 80, 8, 1.0), 0);
  EXPECT_EQ(seenByHandler, Words{0x00503C97});
  EXPECT_EQ(timeline(), (Timeline{{0x00503C97, 0},
                                  {0x000069C7, 0},
                                  {0x005A4091, 0},
                                  {0x00004081, 214'000},
                                  {0x00003C87, 429'000}}));
}

// Duration zero sends only the note-on; a wait rounding to zero handles events once.
TEST_F(TimedNote, WaitIsRoundedHalvesToEvenAndAWaitOfZeroOnlyHandlesEvents) {
  control.PlayNote(60, 80, 1, 0.0);
  EXPECT_EQ(host.processCalls, 0);
  control.SetBPM(120);
  control.PlayNote(60, 80, 1, 0.0001);  // 0.05 ms rounds to 0
  EXPECT_EQ(host.processCalls, 1);
  EXPECT_EQ(output.platform->sentWords(), (Words{0x503C90, 0x503C90, 0x3C80}));
  control.SetBPM(330);
  control.PlayNote(60, 80, 1, 1.0);  // 181.8 ms
  control.SetBPM(60000);
  control.PlayNote(60, 80, 1, 2.5);  // exactly 2.5 ms rounds to 2
  EXPECT_EQ(host.waitDeadlines, (std::vector<std::int64_t>{kStart + 182'000, kStart + 184'000}));
}

TEST_F(TimedNote, BpmZeroOrAWaitBeyondThirtyTwoBitsFailsAfterTheNoteOn) {
  control.SetBPM(0);
  EXPECT_EQ(errorNumberOf([&] { control.PlayNote(60, 80, 1, 1.0); }), melodex::kDivisionByZero);
  control.SetBPM(1);
  EXPECT_EQ(errorNumberOf([&] { control.PlayNote(60, 80, 1, 40000.0); }), melodex::kOverflow);  // 2.4e9 ms
  EXPECT_EQ(output.platform->sentWords(), (Words{0x503C90, 0x503C90}));
}

TEST_F(TimedNote, ClosingHostEndsTheWaitAndStillStopsTheNote) {
  control.SetBPM(60);
  host.queueEvent([&] {
    host.virtualClock.advanceBy(100'000);
    host.closingNow = true;
  });
  control.PlayNote(60, 80, 1, 4.0);
  EXPECT_EQ(timeline(), (Timeline{{0x503C90, 0}, {0x3C80, 100'000}}));
}

TEST_F(TimedNote, AWaitThatEndsEarlyIsResumedUntilTheDeadline) {
  host.longestWait = 100'000;
  control.SetBPM(60);
  control.PlayNote(60, 80, 1, 0.45);
  EXPECT_EQ(host.waitDeadlines.size(), 5u);
  EXPECT_EQ(timeline().back().second, 450'000);
}

// The window's work between two notes (the box, the tempo read, its events)
// must not add up over a tune: a note sent soon after the one before ended is
// timed from that end; after a real pause, or a gap of half its own length,
// it is timed from its own note-on.
TEST_F(TimedNote, ANoteSentStraightAfterTheOneBeforeIsTimedFromThatNotesEnd) {
  control.SetBPM(60);  // a beat lasts a second
  struct Case {
    std::int64_t gap;
    double secondBeats;
    std::int64_t secondNoteOff;  // from the first note-on
  };
  for (const Case& c : {Case{1'300, 1.0, 2'000'000}, Case{19'000, 1.0, 2'000'000}, Case{25'000, 1.0, 2'025'000},
                        Case{11'000, 0.02, 1'031'000}}) {
    output.platform->clear();
    const std::int64_t start = host.virtualClock.nowMicroseconds();
    control.PlayNote(60, 80, 8, 1.0);
    host.virtualClock.advanceBy(c.gap);
    control.PlayNote(62, 80, 8, c.secondBeats);
    const RecordedCall& lastOff = output.platform->calls().back();
    EXPECT_EQ(lastOff.word, 0x00003E87);
    EXPECT_EQ(lastOff.timeMicroseconds - start, c.secondNoteOff) << "gap " << c.gap;
    host.virtualClock.advanceBy(1'000'000);
  }
}

// Each word with the time it is to sound: its stamp, or -1 for a word sent at once.
struct StampRecorder final : melodex::MidiPlatform {
  int open(std::int32_t, melodex::MidiHandle& handle) override { return handle = 1, melodex::kMidiOk; }
  int close(melodex::MidiHandle) override { return melodex::kMidiOk; }
  int send(melodex::MidiHandle, std::int32_t word) override { return words.emplace_back(word, -1), melodex::kMidiOk; }
  int sendAt(melodex::MidiHandle, std::int32_t word, std::int64_t at) override {
    return words.emplace_back(word, at - kStart), melodex::kMidiOk;
  }
  std::uint32_t deviceCount() override { return 0; }
  int deviceCaps(std::int32_t, melodex::MidiDeviceCaps&) override { return melodex::kMidiBadDevice; }
  std::string lastOpenProblem() const override { return {}; }
  Timeline words;
};

// A timed note's two ends carry the times the note is written to have, not
// the moments the window's thread got round to them: a note following on is
// stamped from the end of the one before, whatever the gap; a closing
// window's note-off is stamped when the wait was cut short. Words sent at
// once (a note of no length, StopNote) stay unstamped.
TEST_F(TimedNote, NoteOnAtTheStartNoteOffAtTheEndBackToBack) {
  auto recorder = std::make_shared<StampRecorder>();
  melodex::installPlatform(recorder);  // the fixture's output puts a harmless one back
  control.OpenHandle();
  recorder->words.clear();
  control.SetBPM(60);
  control.PlayNote(60, 80, 1, 1.0);
  host.virtualClock.advanceBy(1'300);  // the window's work between two notes
  control.PlayNote(62, 80, 1, 0.5);
  control.PlayNote(64, 80, 1, 0.0);
  control.StopNote(64, 1);
  host.queueEvent([&] {
    host.virtualClock.advanceBy(100'000);
    host.closingNow = true;
  });
  control.PlayNote(65, 80, 1, 4.0);
  EXPECT_EQ(recorder->words, (Timeline{{0x503C90, 0},
                                       {0x3C80, 1'000'000},
                                       {0x503E90, 1'000'000},
                                       {0x3E80, 1'500'000},
                                       {0x504090, -1},
                                       {0x4080, -1},
                                       {0x504190, 1'500'000},
                                       {0x4180, 1'600'000}}));
}

}  // namespace
