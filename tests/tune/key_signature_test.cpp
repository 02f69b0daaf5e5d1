#include <gtest/gtest.h>

#include <string>

#include "tune/key_signature.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::playBody;

std::string classOf(const std::string& keyText) {
  return KeySignature::resolve(keyText, keyText.empty() ? "" : keyText.substr(0, 1)).keyClass();
}

TEST(KeyClass, KeyNamesMatchOnlyAsWholeTexts) {
  EXPECT_EQ(classOf("Ador"), "G");
  EXPECT_EQ(classOf("B do"), "A");
  EXPECT_EQ(classOf("bm"), "D");
  EXPECT_EQ(classOf("Am"), "C");
  EXPECT_EQ(classOf(" D Maj"), "D");
  EXPECT_EQ(classOf("Dm"), "F");
  EXPECT_EQ(classOf("D Mixolydi"), "G");
  EXPECT_EQ(classOf("AMIX"), "D");
  EXPECT_EQ(classOf("Dm "), "D");  // not "Dm": the letter decides
  EXPECT_EQ(classOf("ador"), "a");
  EXPECT_EQ(classOf(" D"), " ");
  EXPECT_EQ(classOf(""), "");
}

TEST(KeySignature, DRaisesFAndCInEveryOctave) {
  EXPECT_EQ(playBody("F,Ffc,Ccc'B", "D"), "54:1 66:1 78:1 61:1 61:1 73:1 85:1 71:1");
}

TEST(KeySignature, ModesAndMinorsAlterTheirOwnNotes) {
  EXPECT_EQ(playBody("FCGB", "Ador"), "66:1 60:1 67:1 71:1");
  EXPECT_EQ(playBody("FCGBb", "Dm"), "65:1 60:1 67:1 70:1 82:1");
  EXPECT_EQ(playBody("FCG", "Em"), "66:1 60:1 67:1");
  EXPECT_EQ(playBody("FCGB", "Am"), "65:1 60:1 67:1 71:1");
  EXPECT_EQ(playBody("FCGB", "Bdor"), "66:1 61:1 68:1 71:1");
}

TEST(KeySignature, UnknownKeyNamesFallBackToTheirFirstLetter) {
  EXPECT_EQ(playBody("F", "Gm"), "66:1");
  EXPECT_EQ(playBody("FCB", "Bb"), "65:1 60:1 71:1");
  EXPECT_EQ(playBody("FCB", "Eb"), "65:1 60:1 71:1");
  EXPECT_EQ(playBody("F", " D"), "65:1");
}

TEST(KeySignature, ANaturalUndoesTheKeyForTheNextNoteLetterOnly) {
  EXPECT_EQ(playBody("=FF", "G"), "65:1 66:1");
  EXPECT_EQ(playBody("=GF", "G"), "67:1 66:1");
  EXPECT_EQ(playBody("=B", "F Major"), "71:1");
}

TEST(KeySignature, AnExplicitSharpOrFlatReplacesTheKeyForItsNote) {
  EXPECT_EQ(playBody("^FF", "G"), "66:1 66:1");
  EXPECT_EQ(playBody("_BB", "F Major"), "70:1 70:1");
  EXPECT_EQ(playBody("_F", "G"), "64:1");
  EXPECT_EQ(playBody("=^F", "G"), "66:1");  // the natural is used up and changes nothing
}

}  // namespace
}  // namespace corvale
