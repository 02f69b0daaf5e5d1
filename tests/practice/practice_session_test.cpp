#include "practice/practice_session.h"

#include <gtest/gtest.h>

namespace corvale {
namespace {

struct Row {
  std::uint32_t bar;
  char part;
  double duration;
  std::uint32_t line = 2;
};

ParsedTune tuneOf(const std::vector<Row>& rows, const std::string& meter = "4/4") {
  ParsedTune tune;
  tune.listedLines = {"X:1", "M:" + meter, "K:D", "abc", "def"};
  for (const Row& row : rows) {
    tune.events.append(NoteEvent{.note = 62, .velocity = 80, .channel = 8, .duration = row.duration});
    tune.places.push_back(RowPlace{.bar = row.bar, .line = row.line, .column = 0, .width = 1, .part = row.part, .pass = 1});
  }
  return tune;
}

// "|: 1 2 3 |1 4 :|2 5 |: 6 7 :|", parts A (bars 1-5) and B (6-7), a row a bar, as played.
ParsedTune tuneWithEndings() {
  std::vector<Row> rows;
  for (std::uint32_t bar : {1, 2, 3, 4, 1, 2, 3, 5}) rows.push_back({bar, 'A', 8, bar < 4 ? 3u : 4u});
  for (std::uint32_t bar : {6, 7, 6, 7}) rows.push_back({bar, 'B', 8, 4});
  return tuneOf(rows);
}

// A plan with what `set` sets.
template <typename Setting>
PracticePlan planWith(Setting set) {
  PracticePlan plan;
  set(plan);
  return plan;
}

PracticeSession sessionOf(const ParsedTune& tune, const PracticePlan& plan, int replays = 0) {
  return PracticeSession(tune, readTuneTiming(tune.listedLines, Reading::Standard), plan, replays);
}

std::vector<int> rowsOfPass(const PracticeSession& session, int number) {
  const auto pass = session.pass(number);
  return pass ? pass->rows : std::vector<int>{};
}

// Bars across endings, parts, pass limits and start bars are heard in the practice dump
// tests (a line's first bar in the practice window's); without a limit a loop plays until
// Stop, REPLAYS not counted.
TEST(PracticeRowsTest, ALoopWithoutAPassLimitPlaysUntilStop) {
  const PracticePlan loopB = planWith([](PracticePlan& p) { p.loop = PracticePlan::Loop::Part; p.part = 'B'; });
  const PracticeSession untilStop = sessionOf(tuneWithEndings(), loopB, 5);
  EXPECT_EQ(rowsOfPass(untilStop, 1), (std::vector<int>{9, 10, 11, 12}));
  EXPECT_TRUE(untilStop.pass(1000));
}

// Each refusal's words are in the practice dump tests.
TEST(PracticeRowsTest, WhatTheTuneCannotFollowIsSaidAndTheTunePlaysWhole) {
  const ParsedTune tune = tuneWithEndings();
  ParsedTune unplaced = tune;
  unplaced.places.clear();
  const struct {
    const char* what;
    const ParsedTune& tune;
    PracticePlan plan;
    const char* said;
    std::size_t rowsPlayed;  // the whole tune, or the loop without its start bar
  } rows[] = {
      {"no such part", tune, planWith([](PracticePlan& p) { p.loop = PracticePlan::Loop::Part; p.part = 'C'; }), "no part C (its parts are A, B)", 12},
      {"start bar outside the loop", tune, planWith([](PracticePlan& p) { p.loop = PracticePlan::Loop::Part; p.part = 'B'; p.startBar = 2; }), "not in the loop", 4},
      {"no bars known", unplaced, planWith([](PracticePlan& p) { p.startBar = 3; }), "only the standard reading", 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const PracticeSession session = sessionOf(row.tune, row.plan);
    ASSERT_FALSE(session.problems().empty());
    EXPECT_NE(session.report().find(row.said), std::string::npos) << session.report();
    EXPECT_EQ(session.pass(1)->rows.size(), row.rowsPlayed);
  }
}

// The count-in of each metre is heard in the practice dump tests.
TEST(PracticeClicksTest, ThePickupFallsOnTheBeatGridOfTheFirstFullBar) {
  // 6/8 with a pickup of one eighth: bar 1 starts 1 eighth in, beats a dotted quarter apart.
  const ParsedTune tune = tuneOf({{0, 'A', 1}, {1, 'A', 6}, {2, 'A', 6}}, "6/8");
  const PracticeSession session = sessionOf(tune, planWith([](PracticePlan& p) { p.countIn = p.countInEachPass = p.metronome = true; }), 1);
  const auto pass = session.pass(2);
  std::vector<std::pair<double, bool>> clicks;
  for (const Click& click : pass->clicks) clicks.push_back({click.at, click.accent});
  const std::vector<std::pair<double, bool>> expected{{-5, true}, {-2, false}, {1, true},
                                                      {4, false}, {7, true},   {10, false}};
  EXPECT_EQ(clicks, expected);
  EXPECT_NE(session.report().find("count-in each pass \u00b7 metronome"), std::string::npos);
}

// Each pass's tempo is heard in the practice plays' tests; a far pass stays at the top.
TEST(PracticeTempoTest, AFarPassPlaysAtTheTop) {
  const ParsedTune tune = tuneWithEndings();
  const PracticeSession session = sessionOf(tune, planWith([](PracticePlan& p) {
    p.loop = PracticePlan::Loop::WholeTune;
    p.speedUp = SpeedUp{70, 10, 100};
  }));
  EXPECT_EQ(session.pass(2'000'000'000)->tempoPercent, 100);
}

TEST(PracticeTempoTest, APassThatTakesNoTimeIsPlayedOnce) {
  const ParsedTune tune = tuneOf({{1, 'A', 0}, {1, 'A', 0}});
  const PracticeSession session = sessionOf(tune, planWith([](PracticePlan& p) {
    p.loop = PracticePlan::Loop::WholeTune;
    p.metronome = true;
  }));
  EXPECT_TRUE(session.pass(1));
  EXPECT_FALSE(session.pass(2));
  EXPECT_FALSE(sessionOf(ParsedTune{}, planWith([](PracticePlan& p) { p.loop = PracticePlan::Loop::WholeTune; })).pass(1));
}

}  // namespace
}  // namespace corvale
