#include <gtest/gtest.h>

#include <string>

#include "tune/pitch.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::dumpTunes;
using testing::playBody;

TEST(Pitch, EveryNoteNameHasItsTrueNoteNumber) {
  const struct {
    char32_t letter;
    char32_t octave;
    int note;
  } names[] = {{U'G', U',', 55}, {U'A', U',', 57}, {U'B', U',', 59}, {U'C', 0, 60},   {U'D', 0, 62},
               {U'E', 0, 64},    {U'F', 0, 65},    {U'G', 0, 67},    {U'A', 0, 69},   {U'B', 0, 71},
               {U'c', 0, 72},    {U'd', 0, 74},    {U'e', 0, 76},    {U'f', 0, 77},   {U'g', 0, 79},
               {U'a', 0, 81},    {U'b', 0, 83},    {U'c', U'\'', 84}, {U'C', U',', 48}, {U'd', U'\'', 86},
               {U'c', U',', 60}, {U'B', U'\'', 83}};
  for (const auto& name : names) EXPECT_EQ(writtenNoteNumber(name.letter, name.octave), name.note);
}

TEST(BodyScan, NotesOutsideTheOldNoteTableSoundAtTheirOwnPitch) {
  EXPECT_EQ(playBody("C,d'E,,"), "48:1 86:1 52:1");
  EXPECT_EQ(playBody("^C,_d'"), "49:1 85:1");
  EXPECT_EQ(playBody("c''"), "84:1");  // only the first octave mark counts
}

TEST(BodyScan, SharpAndFlatMarksRaiseOrLowerTheNextNoteOnce) {
  EXPECT_EQ(playBody("^F_B,^c'"), "66:1 58:1 85:1");
  EXPECT_EQ(playBody("^^F"), "66:1");
  EXPECT_EQ(playBody("^|F"), "66:1");
}

TEST(BodyScan, ShortChordSymbolsAreSilentAndLongerOnesSound) {
  EXPECT_EQ(playBody("\"D\"B\"Am\"c"), "71:1 72:1");
  EXPECT_EQ(playBody("\"Am7\"c"), "69:1 72:1");
}

TEST(BodyScan, ADollarSignEndsTheTune) { EXPECT_EQ(playBody("AB$cd"), "69:1 71:1"); }

TEST(BodyScan, LyricsAndCommentsInTheBodySoundAsNotes) {
  EXPECT_EQ(playBody("C\nw:dead\n"), "60:1 74:1 76:1 81:1 74:1");
}

TEST(BodyScan, ABodyLongerThanTheStreamIsCut) {
  std::string body;
  for (int i = 0; i < 100; ++i) body += std::string(80, '|') + "\n";
  EXPECT_EQ(playBody(body + "A\n"), "");
}

TEST(BodyScan, AChordSymbolSkippedPastTheEndMarkerFindsNothingLeftFromAnEarlierPlay) {
  std::string earlier;  // 5600 positions of quote, A, quote, A...
  for (int i = 0; i < 70; ++i) {
    for (int j = 0; j < 40; ++j) earlier += "\"A";
    earlier += "\n";
  }
  std::string later;  // 4998 positions of x, then a quote at 4999 and the end marker at 5000
  for (int i = 0; i < 62; ++i) later += std::string(80, 'x') + "\n";
  later += std::string(38, 'x') + "\"\n";
  const std::string file = "X:1\nK:C\n" + earlier + "\nX:2\nK:C\n" + later;
  const auto result = dumpTunes(file, {"1", "2"});
  EXPECT_EQ(result.out.substr(result.out.find("tune\t2")), "tune\t2\nkey\tC\tC\nlines\t3\t65\n");
}

// The worked example of the body scan: a chord symbol, lengths, halving slashes, a
// natural, a flat and an octave mark, in the key of G.
TEST(BodyScanWholeTune, WorkedExampleInTheKeyOfG) {
  const auto result = dumpTunes("X:1\nT:Example\nK:G\n\"D\"B2 A G F/E/ =F _B c'|\n", {"1"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "tune\t1\nkey\tG\tG\nlines\t4\t4\n"
            "event\t71\t80\t8\t2\n"
            "event\t69\t80\t8\t1\n"
            "event\t67\t80\t8\t1\n"
            "event\t66\t80\t8\t0.5\n"
            "event\t64\t80\t8\t0.5\n"
            "event\t65\t80\t8\t1\n"
            "event\t70\t80\t8\t1\n"
            "event\t84\t80\t8\t1\n");
}

}  // namespace
}  // namespace corvale
