#include "practice/tune_timing.h"

#include <gtest/gtest.h>

namespace corvale {
namespace {

TEST(TuneTempoTest, TheSliderStepPlaysThirtyUnitsAMinuteAStep) {
  // Eighths as units: a quarter at 120 is 240 eighths a minute, TEMPO 8.
  EXPECT_EQ(sliderTempoFor({120, 2}, 0.125), 8);
  EXPECT_EQ(sliderTempoFor({40, 3}, 0.125), 4);
  // Sixteenths as units (the classic reading under L:1/16) count twice as many.
  EXPECT_EQ(sliderTempoFor({120, 2}, 0.0625), 16);
  bool clamped = false;
  EXPECT_EQ(sliderTempoFor({1000, 2}, 0.125, &clamped), 30);
  EXPECT_TRUE(clamped);
  EXPECT_EQ(sliderTempoFor({5, 2}, 0.125, &clamped), 1);
  EXPECT_TRUE(clamped);
}

TEST(BeatGridTest, MetresCountTheirBeatsCompoundOnesDotted) {
  const struct {
    const char* meter;
    double beat;
    int beats;
  } rows[] = {
      {"4/4", 0.25, 4}, {"6/8", 0.375, 2}, {"3/4", 0.25, 3},  {"2/2", 0.5, 2},   {"9/8", 0.375, 3},
      {"12/8", 0.375, 4}, {"C", 0.25, 4},  {"C|", 0.5, 2},    {"3/8", 0.125, 3}, {"(2+3)/8", 0.125, 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.meter);
    const BeatGrid grid = beatGridOf(row.meter);
    EXPECT_TRUE(grid.meterGiven);
    EXPECT_DOUBLE_EQ(grid.beatWholeNotes, row.beat);
    EXPECT_EQ(grid.beatsPerBar, row.beats);
  }
  for (const char* none : {"", "none", "free"}) {
    const BeatGrid grid = beatGridOf(none);
    EXPECT_FALSE(grid.meterGiven);
    EXPECT_EQ(grid.beatsPerBar, 4);
  }
}

TEST(TuneTimingTest, HeaderFieldsUpToTheKeyLineGiveMetreUnitAndTempo) {
  const std::vector<std::string> lines{"X:1", "T:Jig", "M:6/8", "L:1/16", "Q:3/8=60", "K:G", "Q:1/4=200", "GAB"};
  const TuneTiming standard = readTuneTiming(lines, Reading::Standard);
  EXPECT_DOUBLE_EQ(standard.unitWholeNotes, 0.125);
  EXPECT_DOUBLE_EQ(standard.beatUnits(), 3);
  ASSERT_TRUE(standard.tempo);
  EXPECT_EQ(standard.tempo->beatsPerMinute, 60);
  // The classic reading plays an unmarked note as one unit: here a sixteenth.
  const TuneTiming classic = readTuneTiming(lines, Reading::Classic);
  EXPECT_DOUBLE_EQ(classic.unitWholeNotes, 0.0625);
  EXPECT_DOUBLE_EQ(classic.beatUnits(), 6);
  // A bare Q: counts notes of the tune's L:.
  const TuneTiming bare = readTuneTiming({"X:1", "L:1/4", "Q:100", "K:D"}, Reading::Standard);
  ASSERT_TRUE(bare.tempo);
  EXPECT_DOUBLE_EQ(bare.tempo->beatLength, 2);  // a quarter, in eighths
}

}  // namespace
}  // namespace corvale
