#include <gtest/gtest.h>

#include <string>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::parseTune;
using testing::playBody;

TEST(NoteLengths, DigitsTwoToFourMultiplyAndASlashHalves) {
  EXPECT_EQ(playBody("C C2C3C4C6C8 C 2"), "60:1 60:2 60:3 60:4 60:1 60:1 60:2");
  EXPECT_EQ(playBody("C/C/2C/4C//C3/2"), "60:0.5 60:0.5 60:0.5 60:0.5 60:3");
  EXPECT_EQ(playBody("A>B<c"), "69:1 71:1 72:1");
}

TEST(NoteLengths, LengthMarksAfterOneOctaveMarkCount) {
  EXPECT_EQ(playBody("A,2c'3A,/"), "57:2 84:3 57:0.5");
  EXPECT_EQ(playBody("A,,2A,,/"), "57:1 57:1");
}

TEST(Tuplets, ShortenTheNextThreeOrFourNotesByTheFactor0666) {
  EXPECT_EQ(playBody("(3CDEF"), "60:0.666 62:0.666 64:0.666 65:1");
  EXPECT_EQ(playBody("(4CDEF"), "60:0.666 62:0.666 64:0.666 65:0.666");
  EXPECT_EQ(playBody("(3C2DE"), "60:1.332 62:0.666 64:0.666");
}

TEST(Tuplets, RestsDoNotCountAndBarsDoNotResetTheCount) {
  EXPECT_EQ(playBody("(3zCDE"), "rest:1 60:0.666 62:0.666 64:0.666");
  EXPECT_EQ(playBody("(3C|DE"), "60:0.666 62:0.666 64:0.666");
  EXPECT_EQ(playBody("(CD)"), "60:1 62:1");
}

TEST(GraceNotes, AreAnEighthOfTheirLength) { EXPECT_EQ(playBody("{g}A"), "79:0.125 69:1"); }

TEST(Rolls, TurnANoteWithAThreeIntoSixRows) {
  EXPECT_EQ(playBody("~F3"), "65:1.5 65:0.25 66:0.25 65:0.25 63:0.25 65:0.5");
  EXPECT_EQ(playBody("~D3"), "62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5");
}

TEST(Rolls, WaitForTheNextNoteWithAThree) {
  EXPECT_EQ(playBody("~F2G3"), "65:2 67:1.5 67:0.25 68:0.25 67:0.25 65:0.25 67:0.5");
}

TEST(Rests, ARestIsSilentNote56OfOneUnitTimesItsDigit) {
  const ParsedTune tune = parseTune("X:1\nK:C\nz z2 z/ z4\n");
  ASSERT_EQ(tune.events.count(), 4);
  EXPECT_EQ(tune.events.row(1).note, 56);
  EXPECT_EQ(tune.events.row(1).velocity, 0);
  EXPECT_EQ(tune.events.row(1).channel, 8);
  EXPECT_EQ(testing::rowsOf(tune), "rest:1 rest:2 rest:1 rest:4");
}

TEST(EventTableLimit, TheTuneEndsAtTheLastRowThatFits) {
  std::string body;
  for (int i = 0; i < 60; ++i) body += std::string(80, 'C') + "\n";
  const ParsedTune tune = parseTune("X:1\nK:C\n" + body);
  EXPECT_EQ(tune.events.count(), EventTable::kRows);
  EXPECT_EQ(tune.events.row(EventTable::kRows).note, 60);
}

TEST(EventTableLimit, ARollThatDoesNotFitKeepsTheRowsThatDo) {
  std::string body;
  for (int i = 0; i < 50; ++i) body += std::string(79, 'C') + "\n";  // 3950 rows
  body += std::string(47, 'C') + "~F3\n";                              // rows 3998 to 4000
  const ParsedTune tune = parseTune("X:1\nK:C\n" + body);
  ASSERT_EQ(tune.events.count(), EventTable::kRows);
  EXPECT_EQ(tune.events.row(3998).duration, 1.5);
  EXPECT_EQ(tune.events.row(3999).note, 65);
  EXPECT_EQ(tune.events.row(4000).note, 66);
}

}  // namespace
}  // namespace corvale
