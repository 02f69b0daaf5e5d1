#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tune/body_stream.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::expectPlays;
using testing::repeated;

std::u32string packed(const std::vector<std::string_view>& lines) {
  BodyStream stream;
  stream.pack(lines);
  std::u32string text;
  for (int p = 1; p <= stream.length() + 1; ++p) text += stream.at(p);
  return text;
}

TEST(BodyStream, DropsSpacesAndLineBreaksPutsATwoAfterALoneSlashAndReadsEightyCharactersALine) {
  EXPECT_EQ(packed({"A B\tc", " d"}), U"ABcd$");
  EXPECT_EQ(packed({"A/ B/2 C/4 D/"}), U"A/2B/2C/24D/2$");
  // Only the first eighty characters of a line.
  EXPECT_EQ(packed({std::string(79, 'A') + "/B"}), std::u32string(79, U'A') + U"/2$");
  EXPECT_EQ(packed({repeated("å", 85)}), std::u32string(80, U'å') + U"$");
}

TEST(BodyStream, KeepsWhatFitsWithItsEndMarkerAndClearsEveryPositionBeforePacking) {
  const std::string notes(80, 'A');
  const std::string slashes(80, '/');
  BodyStream stream;
  stream.pack(std::vector<std::string_view>(101, notes));
  EXPECT_EQ(stream.length(), 7999);
  EXPECT_EQ(stream.at(8000), U'$');
  stream.pack(std::vector<std::string_view>(60, slashes));  // a slash and its "2" fit together or not at all
  EXPECT_EQ(stream.length(), 7998);
  EXPECT_EQ(stream.at(7998), U'2');
  EXPECT_EQ(stream.at(7999), U'$');
  // Nothing of a long body may be left for a later play to find past its end marker.
  stream.pack({});
  for (int p = 1; p <= BodyStream::kPositions; ++p) ASSERT_EQ(stream.at(p), U' ') << "position " << p;
}

TEST(Pitch, EveryNoteLetterSoundsAtItsTruePitchWithPendingSharpsAndFlats) {
  expectPlays({
      {"G,A,B,CDEFGABcdefgab",
       "55:1 57:1 59:1 60:1 62:1 64:1 65:1 67:1 69:1 71:1 72:1 74:1 76:1 77:1 79:1 81:1 83:1"},
      {"C,d'E,,c''c,B'", "48:1 86:1 52:1 84:1 60:1 83:1"},  // only the first octave mark counts
      {"^C,_d'^F_B,^c'^^F^|F", "49:1 85:1 66:1 58:1 85:1 66:1 66:1"},  // a mark raises once and waits
  });
}

TEST(BodyScan, SkipsShortChordSymbolsAndPlaysEveryOtherLetterUpToTheEnd) {
  expectPlays({
      {"\"D\"B\"Am\"c\"Am7\"c", "71:1 72:1 69:1 72:1"},
      {"AB$cd", "69:1 71:1"},
      {"C\nw:dead", "60:1 74:1 76:1 81:1 74:1"},  // lyrics sound as notes
      {repeated(std::string(80, '|') + "\n", 100) + "A", ""},  // the A is past the last position
  });
}

TEST(NoteLengths, DigitsSlashesTupletsGraceNotesRollsAndRests) {
  expectPlays({
      {"C C2C3C4C6C8 C 2A>B<c", "60:1 60:2 60:3 60:4 60:1 60:1 60:2 69:1 71:1 72:1"},
      {"C/C/2C/4C//C3/2", "60:0.5 60:0.5 60:0.5 60:0.5 60:3"},
      {"A,2c'3A,/A,,2A,,/", "57:2 84:3 57:0.5 57:1 57:1"},  // only right after one octave mark
      {"(3C2DE(4CDEF", "60:1.332 62:0.666 64:0.666 60:0.666 62:0.666 64:0.666 65:0.666"},
      {"(3zC|DE(CD)", "rest:1 60:0.666 62:0.666 64:0.666 60:1 62:1"},  // rests and bars do not count
      {"{g}A", "79:0.125 69:1"}, {"~F3", "65:1.5 65:0.25 66:0.25 65:0.25 63:0.25 65:0.5"},
      {"~F2G3", "65:2 67:1.5 67:0.25 68:0.25 67:0.25 65:0.25 67:0.5"},  // the roll waits for a 3
      {"z z2 z3 z/ z4", "rest:1 rest:2 rest:3 rest:1 rest:4"},
  });
}

// A, B, C and D of the repeats are the notes C, D, E and F. The leading space keeps a
// body line that opens with "|:" out of the header.
TEST(OrderOfPlay, FollowsRepeatsAndEndingsAsWritten) {
  expectPlays({
      {" |: C :|", "60:1 60:1"}, {" F || C :|", "65:1 60:1 60:1"}, {" F |: C :|", "65:1 60:1 65:1 60:1"},
      {" |: C :|: D :|", "60:1 60:1 62:1 62:1"}, {" |: C :: D :|", "60:1 60:1 62:1 62:1"},
      {" |: C |1 D :|2 E ||", "60:1 62:1 60:1 64:1"},
      {" |: C |1 D :|2 E |: F :|", "60:1 62:1 60:1 64:1 65:1 60:1 62:1 60:1 64:1 65:1"},
      {"C[1D:|2E", "60:1 62:1 60:1 64:1"}, {"C|[1D:|2E", "60:1 62:1 60:1 64:1"},
      {"C|2D", "60:1 62:1"}, {"C :: :|", "60:1 60:1"},  // no first ending; two end repeats in a row
      {"z2~D3:|", "rest:2 62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5 "
                  "rest:2 62:1.5 62:0.25 64:0.25 62:0.25 60:0.25 62:0.5"},
      {"CD Variation E", "60:1 62:1"}, {"CD verse E", "60:1 62:1"},  // "v" before "a" or "e" ends the tune
      {"CvbVcE", "60:1 83:1 72:1 64:1"},
  });
}

// The table holds 4000 rows: the F of the roll is row 3998, the repeat copies 1600 of 2400.
TEST(EventTableLimit, ARollOrARepeatThatDoesNotFitKeepsTheRowsThatDoAndEndsTheTune) {
  expectPlays({
      {repeated(std::string(79, 'C') + "\n", 50) + std::string(47, 'C') + "~F3", repeated("60:1 ", 3997) + "65:1.5 65:0.25 66:0.25"},
      {repeated(std::string(80, 'C') + "\n", 30) + ":|D", repeated("60:1 ", 3999) + "60:1"},
  });
}

}  // namespace
}  // namespace corvale
