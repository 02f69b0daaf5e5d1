#include <gtest/gtest.h>

#include <string>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::expectPlays;
using testing::parseTune;
using testing::repeated;

TEST(Pitch, EveryNoteLetterSoundsAtItsTruePitchWithPendingSharpsAndFlats) {
  expectPlays({
      {"G,A,B,CDEFGABcdefgab",
       "55:1 57:1 59:1 60:1 62:1 64:1 65:1 67:1 69:1 71:1 72:1 74:1 76:1 77:1 79:1 81:1 83:1"},
      {"C,d'E,,c''c,B'", "48:1 86:1 52:1 84:1 60:1 83:1"},  // only the first octave mark counts
      {"^C,_d'^F_B,^c'", "49:1 85:1 66:1 58:1 85:1"},
      {"^^F^|F", "66:1 66:1"},  // a mark raises once and waits for the next note letter
  });
}

TEST(BodyScan, SkipsShortChordSymbolsAndPlaysEveryOtherLetterUpToTheEnd) {
  expectPlays({
      {"\"D\"B\"Am\"c", "71:1 72:1"},
      {"\"Am7\"c", "69:1 72:1"},
      {"AB$cd", "69:1 71:1"},
      {"C\nw:dead", "60:1 74:1 76:1 81:1 74:1"},  // lyrics sound as notes
      {repeated(std::string(80, '|') + "\n", 100) + "A", ""},  // the A is past the last position
  });
}

TEST(NoteLengths, DigitsSlashesTupletsGraceNotesRollsAndRests) {
  expectPlays({
      {"C C2C3C4C6C8 C 2", "60:1 60:2 60:3 60:4 60:1 60:1 60:2"},
      {"C/C/2C/4C//C3/2", "60:0.5 60:0.5 60:0.5 60:0.5 60:3"},
      {"A>B<c", "69:1 71:1 72:1"},
      {"A,2c'3A,/A,,2A,,/", "57:2 84:3 57:0.5 57:1 57:1"},  // only right after one octave mark
      {"(3CDEF", "60:0.666 62:0.666 64:0.666 65:1"},
      {"(4CDEF", "60:0.666 62:0.666 64:0.666 65:0.666"},
      {"(3C2DE", "60:1.332 62:0.666 64:0.666"},
      {"(3zC|DE(CD)", "rest:1 60:0.666 62:0.666 64:0.666 60:1 62:1"},  // rests and bars do not count
      {"{g}A", "79:0.125 69:1"},
      {"~F3", "65:1.5 65:0.25 66:0.25 65:0.25 63:0.25 65:0.5"},
      {"~F2G3", "65:2 67:1.5 67:0.25 68:0.25 67:0.25 65:0.25 67:0.5"},  // the roll waits for a 3
      {"z z2 z3 z/ z4", "rest:1 rest:2 rest:3 rest:1 rest:4"},
  });
}

// A, B, C and D of the repeats are the notes C, D, E and F. The leading space keeps a
// body line that opens with "|:" out of the header.
TEST(OrderOfPlay, FollowsRepeatsAndEndingsAsWritten) {
  expectPlays({
      {" |: C :|", "60:1 60:1"},
      {" |: C :|: D :|", "60:1 60:1 62:1 62:1"},
      {" |: C :: D :|", "60:1 60:1 62:1 62:1"},
      {" |: C |1 D :|2 E ||", "60:1 62:1 60:1 64:1"},
      {" F |: C :|", "65:1 60:1 65:1 60:1"},
      {" F || C :|", "65:1 60:1 60:1"},
      {" |: C |1 D :|2 E |: F :|", "60:1 62:1 60:1 64:1 65:1 60:1 62:1 60:1 64:1 65:1"},
      {"C[1D:|2E", "60:1 62:1 60:1 64:1"},
      {"C|[1D:|2E", "60:1 62:1 60:1 64:1"},
      {"C|2D", "60:1 62:1"},     // a second ending without a first copies nothing
      {"C :: :|", "60:1 60:1"},  // two end repeats in a row copy once
      {"z2~D3:|", "rest:2 62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5 "
                  "rest:2 62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5"},
  });
}

TEST(EndOfBody, VBeforeAOrEEndsTheTuneAnywhere) {
  expectPlays({
      {"CD Variation E", "60:1 62:1"},
      {"CD verse E", "60:1 62:1"},
      {"CvaE", "60:1"},
      {"CvbVcE", "60:1 83:1 72:1 64:1"},
  });
}

TEST(EventTableLimit, ARollOrARepeatThatDoesNotFitKeepsTheRowsThatDo) {
  const std::string rollAtTheEnd = repeated(std::string(79, 'C') + "\n", 50) + std::string(47, 'C') + "~F3\n";
  const ParsedTune roll = parseTune("X:1\nK:C\n" + rollAtTheEnd);  // the F is row 3998
  ASSERT_EQ(roll.events.count(), EventTable::kRows);
  EXPECT_EQ(roll.events.row(3998).duration, 1.5);
  EXPECT_EQ(roll.events.row(3999).note, 65);
  EXPECT_EQ(roll.events.row(4000).note, 66);
  const ParsedTune repeat = parseTune("X:1\nK:C\n" + repeated(std::string(80, 'C') + "\n", 30) + ":|D\n");
  EXPECT_EQ(repeat.events.count(), EventTable::kRows);
  EXPECT_EQ(repeat.events.row(EventTable::kRows).note, 60);
}

}  // namespace
}  // namespace corvale
