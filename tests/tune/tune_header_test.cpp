#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tune/key_signature.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::expectPlays;
using testing::repeated;

struct HeaderCase {
  std::string file;
  std::string tune;
  std::string keyAndLines;  // the key and lines lines of tunedump's output
  std::string rows;
};

void expectHeaders(std::initializer_list<HeaderCase> cases) {
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE("tune " + c.tune + " of:\n" + c.file);
    const std::string out = testing::dumpTunes(c.file, {c.tune}).out;
    EXPECT_EQ(out.substr(0, out.find("event")), "tune\t" + c.tune + "\n" + c.keyAndLines + "\n");
    EXPECT_EQ(testing::rowsOf(out), c.rows);
  }
}

TEST(TuneHeader, CopiesTheTuneUpToABlankLineAndTakesTheLastKeyLineOfTheHeader) {
  expectHeaders({
      {"X:1\nT:Reel\nM:4/4\nL:1/8\nQ:120\nK:D\nABcd|\nefga|\n\nX:2\nT:Next\n", "1", "key\tD\tD\nlines\t7\t8",
       "69:1 71:1 73:1 74:1 76:1 78:1 79:1 81:1"},
      {"X:1\nK:C\n|:AB|\nCD:|\n", "1", "key\tC\tC\nlines\t4\t4", "60:1 62:1 60:1 62:1"},  // "|:" reads as header
      {"X:1\nK:C\nF\nK:G\nF\n", "1", "key\tC\tC\nlines\t3\t5", "65:1 67:1 65:1"},  // the G of "K:G" sounds
      {"X:1\nK:G\nK:Dm\nB\n", "1", "key\tDm\tF\nlines\t4\t4", "70:1"},
      {"X:1\nK: G\n", "1", "key\t G\t \nlines\t3\t2", ""},
      {"X:1\nK:D Mixolydian\n", "1", "key\tD Mixolydi\tG\nlines\t3\t2", ""},
      {"X:1\nK:" + repeated("å", 11) + "\n", "1", "key\t" + repeated("å", 10) + "\tå\nlines\t3\t2", ""},
      {"\n\nA\n", "0", "key\t\t\nlines\t1\t1", ""},  // a blank first line is listed, the next one ends the tune
      {"X:1\n" + repeated("N:note\n", 90), "1", "key\t\t\nlines\t81\t80", ""},  // only header lines: no body
  });
}

TEST(TuneHeaderComments, CommentLinesInTheHeaderAreSkippedAndInTheBodySound) {
  expectHeaders({
      {"X:1\nT:T\n% Nottingham Music Database\n%%MIDI program 110\nK:G\nF\n", "1", "key\tG\tG\nlines\t6\t6", "66:1"},
      {"X:1\nK:G\n%%MIDI program 110\nM:6/8\n% the A part\nF\n", "1", "key\tG\tG\nlines\t6\t6", "66:1"},
      {"X:1\nK:C\nC\n% bad\nD\n", "1", "key\tC\tC\nlines\t3\t5", "60:1 83:1 81:1 74:1 62:1"},
      {"%abc-2.1\n%%abc-creator x\nCD\nX:1\n", "0", "key\t\t\nlines\t3\t3", "60:1 62:1"},
      {"X:1\n" + repeated("% comment\n", 79) + "K:G\n", "1", "key\t\t\nlines\t81\t80", ""},  // 80 lines still
  });
}

TEST(KeyClass, KeyNamesMatchOnlyAsWholeTextsAndOtherwiseTheLetterDecides) {
  const std::pair<std::string, std::string> keys[] = {
      {"Ador", "G"}, {"B do", "A"}, {"bm", "D"},   {"Am", "C"},   {" D Maj", "D"}, {"Dm", "F"},
      {"D Mixolydi", "G"}, {"AMIX", "D"}, {"Dm ", "D"}, {"ador", "a"}, {" D", " "}, {"", ""},
  };
  for (const auto& [keyText, keyClass] : keys) {
    EXPECT_EQ(KeySignature::resolve(keyText, keyText.substr(0, 1)).keyClass(), keyClass) << "K:" << keyText;
  }
}

TEST(KeySignature, AltersTheNotesOfTheKeyInEveryOctaveUnlessTheNoteHasItsOwnMark) {
  expectPlays({
      {"F,Ffc,Ccc'B", "54:1 66:1 78:1 61:1 61:1 73:1 85:1 71:1", "D"},
      {"FCGB", "66:1 61:1 68:1 71:1", "A"}, {"FCGB", "66:1 61:1 68:1 71:1", "Bdor"},
      {"FCGBb", "65:1 60:1 67:1 70:1 82:1", "Dm"}, {"FCG", "66:1 60:1 67:1", "Em"},
      {"F", "66:1", "Gm"}, {"FCB", "65:1 60:1 71:1", "Bb"}, {"F", "65:1", " D"},
      // A natural or an explicit sharp or flat replaces the key for the next note only.
      {"=FF=GF", "65:1 66:1 67:1 66:1", "G"}, {"=B", "71:1", "F Major"},
      {"^FF_F=^F", "66:1 66:1 64:1 66:1", "G"},  // a natural before a sharp changes nothing
  });
}

}  // namespace
}  // namespace corvale
