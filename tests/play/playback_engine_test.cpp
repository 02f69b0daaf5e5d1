#include "player/play/playback_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_player_view.h"
#include "scripted_control.h"

namespace corvale {
namespace {

using testing::FakePlayerView;
using testing::ScriptedControl;
using Log = std::vector<std::string>;

EventTable tableOf(const std::vector<NoteEvent>& rows) {
  EventTable table;
  for (const NoteEvent& row : rows) table.append(row);
  return table;
}

EventTable risingNotes(int count) {
  EventTable table;
  for (int i = 0; i < count; ++i) table.append({60.0 + i, 80, 8, 1.0});
  return table;
}

long countOf(const Log& log, const std::string& prefix) {
  return std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

class PlaybackEngineTest : public ::testing::Test {
 protected:
  Log log;
  FakePlayerView view{log};
  ScriptedControl midix{log, view};
  PlaybackEngine engine{view, midix};
};

TEST_F(PlaybackEngineTest, ShortTuneRunsEveryStepInOrder) {
  const PlayOutcome outcome = engine.play(tableOf({{62, 80, 8, 1.0}, {72, 80, 8, 0.5}}));

  EXPECT_EQ(outcome.ending, PlayEnding::Finished);
  const Log expected{
      "open", "bpm 140", "patch 8 105", "caption BANJO", "frets shown",
      "bpm 330", "show 7", "events", "on 62 80 8 for 1.000000 at 0", "off at 182", "hide 7", "show window",
      "bpm 330", "show 17", "events", "on 72 80 8 for 0.500000 at 182", "off at 273", "hide 17", "show window",
      "close", "hide all", "clear list", "idle"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(view.runState, kStartCaption);
}

TEST_F(PlaybackEngineTest, ReplaysTwoPlaysThreePassesWithoutPause) {
  view.replays = 2;
  engine.play(risingNotes(4));

  EXPECT_EQ(countOf(log, "on "), 12);
  EXPECT_EQ(countOf(log, "open"), 1);
  EXPECT_EQ(countOf(log, "close"), 1);
  EXPECT_EQ(midix.nowMs, 12 * 182);
}

TEST_F(PlaybackEngineTest, ReplaysAreReadOnlyAtTheStart) {
  view.replays = 1;
  view.onPendingEvents = [&] { view.replays = 99; };
  engine.play(risingNotes(2));

  EXPECT_EQ(countOf(log, "on "), 4);
}

TEST_F(PlaybackEngineTest, InstrumentAlternatesBetweenTwoPlays) {
  engine.play(risingNotes(1));
  EXPECT_EQ(view.instrument, kBanjoCaption);
  view.runState = kStopCaption;
  engine.play(risingNotes(1));
  EXPECT_EQ(view.instrument, kFiddleCaption);

  EXPECT_EQ(countOf(log, "patch 8 105"), 1);
  EXPECT_EQ(countOf(log, "patch 8 110"), 1);
  EXPECT_EQ(log[std::find(log.begin() + 1, log.end(), "patch 8 110") - log.begin() + 2], "frets hidden");
}

TEST_F(PlaybackEngineTest, EmptyTuneOpensSwitchesAndCloses) {
  const PlayOutcome outcome = engine.play(EventTable{});

  EXPECT_EQ(outcome.ending, PlayEnding::Finished);
  const Log expected{"open", "bpm 140", "patch 8 105", "caption BANJO", "frets shown",
                     "close", "hide all", "clear list", "idle"};
  EXPECT_EQ(log, expected);
}

TEST_F(PlaybackEngineTest, StopDuringThirdNoteOfTenEndsAfterThatNote) {
  view.replays = 5;
  midix.duringNote = [&](int note) {
    if (note == 3) view.runState = kStartCaption;
  };
  const PlayOutcome outcome = engine.play(risingNotes(10));

  EXPECT_EQ(outcome.ending, PlayEnding::Stopped);
  EXPECT_EQ(countOf(log, "on "), 3);
  const Log tail(log.end() - 7, log.end());
  const Log expectedTail{"off at 546", "hide 7", "show window", "close", "hide all", "clear list", "idle"};
  EXPECT_EQ(tail, expectedTail);
  EXPECT_EQ(view.visibleBox, -1);
  EXPECT_TRUE(view.tuneLines.empty());
  EXPECT_EQ(view.runState, kStartCaption);
}

TEST_F(PlaybackEngineTest, TempoMovedDuringANoteCountsFromTheNextNote) {
  midix.duringNote = [&](int note) {
    if (note == 2) view.tempo = 1;
  };
  engine.play(risingNotes(3));

  EXPECT_EQ(countOf(log, "bpm 330"), 2);
  EXPECT_EQ(countOf(log, "bpm 30"), 1);
  EXPECT_EQ(midix.nowMs, 182 + 182 + 2000);
}

TEST_F(PlaybackEngineTest, ClosingDuringANoteEndsAtOnceAndClosesTheOutput) {
  view.replays = 3;
  view.tempo = 1;
  midix.duringNote = [&](int note) {
    if (note == 2) view.isClosing = true;
  };
  const PlayOutcome outcome = engine.play(risingNotes(5));

  EXPECT_EQ(outcome.ending, PlayEnding::Closing);
  EXPECT_EQ(countOf(log, "on "), 2);
  EXPECT_EQ(midix.nowMs, 2000);
  EXPECT_EQ(countOf(log, "close"), 1);
  EXPECT_EQ(view.visibleBox, -1);
}

TEST_F(PlaybackEngineTest, ClosingWhileEventsRunBeforeANoteSendsNoNote) {
  int passes = 0;
  view.onPendingEvents = [&] {
    if (++passes == 2) view.isClosing = true;
  };
  const PlayOutcome outcome = engine.play(risingNotes(4));

  EXPECT_EQ(outcome.ending, PlayEnding::Closing);
  EXPECT_EQ(countOf(log, "on "), 1);
  EXPECT_EQ(countOf(log, "close"), 1);
  EXPECT_EQ(view.visibleBox, -1);
}

TEST_F(PlaybackEngineTest, MissingSynthesiserIsReportedOnceAndTheTunePlaysThrough) {
  midix.openResult = 2;
  engine.play(risingNotes(3));
  view.runState = kStopCaption;
  engine.play(risingNotes(3));

  ASSERT_EQ(view.soundReports.size(), 1u);
  EXPECT_EQ(view.soundReports[0].substr(0, 2), "2 ");
  EXPECT_EQ(countOf(log, "on "), 6);
  EXPECT_EQ(midix.nowMs, 6 * 182);
}

TEST_F(PlaybackEngineTest, RowValuesRoundHalvesToEven) {
  engine.play(tableOf({{60.5, 80.5, 8.5, 1.0}, {61.5, 79.5, 7.5, 1.0}}));

  EXPECT_EQ(countOf(log, "on 60 80 8 "), 1);
  EXPECT_EQ(countOf(log, "on 62 80 8 "), 1);
}

TEST_F(PlaybackEngineTest, NotesOutsideTheFingerboardPlayWithoutABox) {
  engine.play(tableOf({{54, 80, 8, 1.0}, {86, 80, 8, 1.0}, {85, 80, 8, 1.0}}));

  EXPECT_EQ(countOf(log, "on "), 3);
  EXPECT_EQ(countOf(log, "show ") - countOf(log, "show window"), 1);
  EXPECT_EQ(countOf(log, "show 30"), 1);
  EXPECT_EQ(countOf(log, "hide ") - countOf(log, "hide all"), 1);
}

TEST_F(PlaybackEngineTest, RestRowShowsBoxOneForItsLength) {
  engine.play(tableOf({{56, 0, 8, 2.0}}));

  const Log expected{"show 1", "events", "on 56 0 8 for 2.000000 at 0", "off at 364", "hide 1"};
  const auto first = std::find(log.begin(), log.end(), "show 1");
  ASSERT_NE(first, log.end());
  EXPECT_EQ(Log(first, first + 5), expected);
}

TEST_F(PlaybackEngineTest, RefusedNoteIsSilencedAndThePlayEndsCleanly) {
  midix.playNoteError = melodex::kOverflow;
  const PlayOutcome outcome = engine.play(risingNotes(3));

  EXPECT_EQ(outcome.ending, PlayEnding::Failed);
  EXPECT_NE(outcome.problem.find("error 6"), std::string::npos);
  const Log tail(log.end() - 7, log.end());
  const Log expectedTail{"on 60 80 8 for 1.000000 at 0", "stop 60 8", "hide 5", "close", "hide all", "clear list", "idle"};
  EXPECT_EQ(tail, expectedTail);
}

TEST_F(PlaybackEngineTest, NoteNumberBeyondIntegersEndsThePlayWithoutSending) {
  const PlayOutcome outcome = engine.play(tableOf({{1e12, 80, 8, 1.0}}));

  EXPECT_EQ(outcome.ending, PlayEnding::Failed);
  EXPECT_EQ(countOf(log, "on "), 0);
  EXPECT_EQ(countOf(log, "close"), 1);
  EXPECT_EQ(view.runState, kStartCaption);
}

}  // namespace
}  // namespace corvale
