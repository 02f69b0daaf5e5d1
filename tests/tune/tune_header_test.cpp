#include <gtest/gtest.h>

#include <string>

#include "tune/tune_file.h"
#include "tune/tune_header.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::parseTune;
using testing::playBody;
using testing::rowsOf;

constexpr const char* kReel = "X:1\nT:Reel\nM:4/4\nL:1/8\nQ:120\nK:D\nABcd|\nefga|\n\nX:2\nT:Next\n";

TEST(TuneHeader, ListsTheTuneUpToItsFirstBlankLineAndFindsTheBody) {
  const ParsedTune tune = parseTune(kReel);
  EXPECT_EQ(tune.listedLines.size(), 8U);
  EXPECT_EQ(tune.listedLines.back(), "efga|");
  EXPECT_EQ(tune.tuneLineCount, 8);
  EXPECT_EQ(tune.bodyStartLine, 7);
  EXPECT_EQ(tune.keyText, "D");
}

TEST(TuneHeader, TheHeaderEndsAtTheFirstLineWithoutAColonSecond) {
  const ParsedTune repeatFirst = parseTune("X:1\nK:C\n|:AB|\nCD:|\n");  // "|:" reads as a header line
  EXPECT_EQ(repeatFirst.bodyStartLine, 4);
  EXPECT_EQ(rowsOf(repeatFirst), "60:1 62:1 60:1 62:1");
  const ParsedTune keyInBody = parseTune("X:1\nK:C\nF\nK:G\nF\n");
  EXPECT_EQ(keyInBody.keyText, "C");
  EXPECT_EQ(rowsOf(keyInBody), "65:1 67:1 65:1");  // the G of "K:G" sounds
}

TEST(TuneHeader, TheLastKeyLineGivesKeyTextWithItsSpacesCutAtTenCharacters) {
  EXPECT_EQ(parseTune("X:1\nK:G\nK:Dm\nB\n").keyText, "Dm");
  EXPECT_EQ(parseTune("X:1\nK: G\n").keyText, " G");
  EXPECT_EQ(parseTune("X:1\nK:D Mixolydian\n").keyText, "D Mixolydi");
  std::string elevenRings;
  for (int i = 0; i < 11; ++i) elevenRings += "\xC3\xA5";  // å
  EXPECT_EQ(parseTune("X:1\nK:" + elevenRings + "\n").keyText, elevenRings.substr(0, 20));
}

TEST(TuneHeader, ABlankFirstLineIsListedAndABlankLineLaterEndsTheTune) {
  const ParsedTune tune = parseTune("\n\nA\n", 0);
  EXPECT_EQ(tune.tuneLineCount, 1);
  EXPECT_EQ(tune.bodyStartLine, 1);
  EXPECT_EQ(tune.events.count(), 0);
}

TEST(TuneHeader, ATuneOfEightyHeaderLinesHasNoBody) {
  std::string text = "X:1\n";
  for (int i = 0; i < 90; ++i) text += "N:note\n";
  const ParsedTune tune = parseTune(text);
  EXPECT_EQ(tune.tuneLineCount, 80);
  EXPECT_EQ(tune.bodyStartLine, 81);
  EXPECT_EQ(tune.events.count(), 0);
}

TEST(TuneHeader, OnlyTheFirstEightyLinesOfATuneAreCopied) {
  std::string text = "X:1\nK:C\n";
  for (int i = 0; i < 100; ++i) text += "C\n";
  EXPECT_EQ(parseTune(text).events.count(), 78);
}

TEST(TuneHeader, ATuneWithoutKeyPlaysUnalteredAfterATuneWithAKey) {
  const TuneFile file = readTuneText("X:1\nK:D\nF\n\nX:2\nT:No key\nF\n");
  TuneParser parser;
  EXPECT_EQ(rowsOf(parser.parse(file.lineStore, 1)), "66:1");
  const ParsedTune second = parser.parse(file.lineStore, 2);
  EXPECT_EQ(second.keyText, "");
  EXPECT_EQ(second.keyClass, "");
  EXPECT_EQ(rowsOf(second), "65:1");
}

TEST(TuneHeaderComments, CommentAndDirectiveLinesAroundTheKeyLineAreHeaderLines) {
  const ParsedTune before = parseTune("X:1\nT:T\n% Nottingham Music Database\n%%MIDI program 110\nK:G\nF\n");
  EXPECT_EQ(before.keyText, "G");
  EXPECT_EQ(before.bodyStartLine, 6);
  EXPECT_EQ(rowsOf(before), "66:1");
  const ParsedTune after = parseTune("X:1\nK:G\n%%MIDI program 110\nM:6/8\n% the A part\nF\n");
  EXPECT_EQ(after.bodyStartLine, 6);
  EXPECT_EQ(rowsOf(after), "66:1");
}

TEST(TuneHeaderComments, ACommentLineInTheBodyStillSounds) {
  const ParsedTune tune = parseTune("X:1\nK:C\nC\n% bad\nD\n");
  EXPECT_EQ(tune.bodyStartLine, 3);
  EXPECT_EQ(rowsOf(tune), "60:1 83:1 81:1 74:1 62:1");  // b, a, d of "bad" sound
}

TEST(TuneHeaderComments, CommentLinesAtTheStartOfTuneZeroAreSkipped) {
  const ParsedTune tune = parseTune("%abc-2.1\n%%abc-creator x\nCD\nX:1\n", 0);
  EXPECT_EQ(tune.bodyStartLine, 3);
  EXPECT_EQ(rowsOf(tune), "60:1 62:1");
}

TEST(TuneHeaderComments, CommentLinesCountTowardsTheEightyLineLimit) {
  std::string text = "X:1\n";
  for (int i = 0; i < 79; ++i) text += "% comment\n";
  text += "K:G\n";
  const ParsedTune tune = parseTune(text);
  EXPECT_EQ(tune.bodyStartLine, 81);
  EXPECT_EQ(tune.keyText, "");
}

}  // namespace
}  // namespace corvale
