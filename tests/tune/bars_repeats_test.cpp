#include <gtest/gtest.h>

#include <string>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::dumpedNotes;
using testing::dumpTunes;
using testing::playBody;

// The order of play through tunedump; A, B, C and D are the notes C, D, E and F.
std::string orderOfPlay(const std::string& body) {
  // The leading space keeps a body line that opens with "|:" out of the header.
  const auto result = dumpTunes("X:1\nT:Order\nK:C\n " + body + "\n", {"1"});
  EXPECT_EQ(result.status, 0);
  return dumpedNotes(result.out);
}

TEST(OrderOfPlay, FollowsRepeatsAndEndingsAsWritten) {
  EXPECT_EQ(orderOfPlay("|: C :|"), "60 60");
  EXPECT_EQ(orderOfPlay("|: C :|: D :|"), "60 60 62 62");
  EXPECT_EQ(orderOfPlay("|: C :: D :|"), "60 60 62 62");
  EXPECT_EQ(orderOfPlay("|: C |1 D :|2 E ||"), "60 62 60 64");
  EXPECT_EQ(orderOfPlay("F |: C :|"), "65 60 65 60");
  EXPECT_EQ(orderOfPlay("F || C :|"), "65 60 60");
  EXPECT_EQ(orderOfPlay("|: C |1 D :|2 E |: F :|"), "60 62 60 64 65 60 62 60 64 65");
}

TEST(Repeats, CopiesEveryFieldOfRestsAndRolls) {
  EXPECT_EQ(playBody("z2~D3:|"),
            "rest:2 62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5 "
            "rest:2 62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5");
}

TEST(Repeats, BracketAndBarBeforeOneAreTheSameFirstEnding) {
  EXPECT_EQ(playBody("C[1D:|2E"), "60:1 62:1 60:1 64:1");
  EXPECT_EQ(playBody("C|[1D:|2E"), "60:1 62:1 60:1 64:1");
}

TEST(Repeats, ASecondEndingWithoutAFirstCopiesNothing) { EXPECT_EQ(playBody("C|2D"), "60:1 62:1"); }

TEST(Repeats, TwoEndRepeatsInARowCopyOnce) { EXPECT_EQ(playBody("C :: :|"), "60:1 60:1"); }

TEST(Repeats, CopiesStopAtTheTableLimitAndEndTheTune) {
  std::string body;
  for (int i = 0; i < 30; ++i) body += std::string(80, 'C') + "\n";  // 2400 rows
  const ParsedTune tune = testing::parseTune("X:1\nK:C\n" + body + ":|D\n");
  EXPECT_EQ(tune.events.count(), EventTable::kRows);
  EXPECT_EQ(tune.events.row(EventTable::kRows).note, 60);
}

TEST(EndOfBody, VBeforeAOrEEndsTheTuneAnywhere) {
  EXPECT_EQ(playBody("CD Variation E"), "60:1 62:1");
  EXPECT_EQ(playBody("CD verse E"), "60:1 62:1");
  EXPECT_EQ(playBody("CvaE"), "60:1");
  EXPECT_EQ(playBody("CvbVcE"), "60:1 83:1 72:1 64:1");
}

}  // namespace
}  // namespace corvale
