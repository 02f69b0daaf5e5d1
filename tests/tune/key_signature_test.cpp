#include <gtest/gtest.h>

#include <string>

#include "tune/key_signature.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::expectPlays;

TEST(KeyClass, KeyNamesMatchOnlyAsWholeTextsAndOtherwiseTheLetterDecides) {
  const struct {
    std::string keyText;
    std::string keyClass;
  } keys[] = {
      {"Ador", "G"}, {"B do", "A"}, {"bm", "D"},   {"Am", "C"},   {" D Maj", "D"}, {"Dm", "F"},
      {"D Mixolydi", "G"}, {"AMIX", "D"}, {"Dm ", "D"}, {"ador", "a"}, {" D", " "}, {"", ""},
  };
  for (const auto& key : keys) {
    SCOPED_TRACE("K:" + key.keyText);
    EXPECT_EQ(KeySignature::resolve(key.keyText, key.keyText.substr(0, 1)).keyClass(), key.keyClass);
  }
}

TEST(KeySignature, KeysModesAndUnknownNamesAlterTheirNotesInEveryOctave) {
  expectPlays({
      {"F,Ffc,Ccc'B", "54:1 66:1 78:1 61:1 61:1 73:1 85:1 71:1", "D"},
      {"FCGB", "66:1 60:1 67:1 71:1", "Ador"},
      {"FCGBb", "65:1 60:1 67:1 70:1 82:1", "Dm"},
      {"FCG", "66:1 60:1 67:1", "Em"},
      {"FCGB", "65:1 60:1 67:1 71:1", "Am"},
      {"FCGB", "66:1 61:1 68:1 71:1", "Bdor"},
      {"F", "66:1", "Gm"},
      {"FCB", "65:1 60:1 71:1", "Bb"},
      {"F", "65:1", " D"},
  });
}

TEST(KeySignature, ANaturalOrAnExplicitSharpOrFlatReplacesTheKeyForTheNextNoteOnly) {
  expectPlays({
      {"=FF", "65:1 66:1", "G"},
      {"=GF", "67:1 66:1", "G"},
      {"=B", "71:1", "F Major"},
      {"^FF", "66:1 66:1", "G"},
      {"_F", "64:1", "G"},
      {"=^F", "66:1", "G"},  // the natural is used up and changes nothing
  });
}

}  // namespace
}  // namespace corvale
