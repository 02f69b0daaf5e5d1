#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

ParsedTune readStandard(const std::string& text) {
  const TuneFile file = readTuneText(text);
  TuneReader reader;
  return reader.parse(file.lineStore, 1, Reading::Standard);
}

// Each played row as bar, part letter (- for none) and pass.
std::vector<std::string> barsPartsPasses(const ParsedTune& tune) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < tune.places.size(); ++i) {
    const RowPlace& place = tune.places[i];
    rows.push_back(std::to_string(place.bar) + (place.part ? std::string(1, place.part) : "-") +
                   std::to_string(place.pass));
  }
  return rows;
}

struct PlacedTune {
  const char* text;
  std::vector<std::string> rows;  // bar, part letter (or -), pass of every played note
};

TEST(RowPlaces, BarsPartsAndPassesFollowTheWrittenTune) {
  const std::vector<PlacedTune> tunes = {
      // A pickup shorter than the meter's bar is bar 0; the first full bar is 1.
      {"X:1\nM:4/4\nL:1/8\nK:G\nD2|G4 A4|B8|]\n", {"0A1", "1A1", "1A1", "2A1"}},
      // A first bar as long as the meter's is bar 1; without a meter nothing is a pickup.
      {"X:1\nM:6/8\nL:1/8\nK:D\nABc def|g6|\n", {"1A1", "1A1", "1A1", "1A1", "1A1", "1A1", "2A1"}},
      {"X:1\nK:D\nA|B|\n", {"1A1", "2A1"}},
      // Sections by repeats and double bars, endings within theirs, each pass numbered.
      {"X:1\nM:2/4\nL:1/4\nK:G\n|:AB|1c2:|2d2||e2|]\n",
       {"1A1", "1A1", "2A1", "1A2", "1A2", "3A2", "4B1"}},
      // A bar line straight after another counts one bar; a multi-bar rest counts its bars.
      {"X:1\nM:4/4\nL:1/4\nK:C\nC4|\n|D4|Z3|E4|]\n", {"1A1", "2A1", "6A1"}},
      // Labelled parts keep their labels in the order of play; music before the first has none.
      {"X:1\nM:2/4\nL:1/4\nP:ABA\nK:C\nC2|\nP:A\nD2|\nP:B\nE2|\n", {"1-1", "2A1", "3B1", "2A1"}},
  };
  for (const PlacedTune& tune : tunes) {
    SCOPED_TRACE(tune.text);
    const ParsedTune parsed = readStandard(tune.text);
    const std::vector<std::string> all = barsPartsPasses(parsed);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(parsed.events.count()));
    std::vector<std::string> sounding;  // rests left out
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (parsed.events.row(static_cast<int>(i + 1)).velocity != 0) sounding.push_back(all[i]);
    }
    EXPECT_EQ(sounding, tune.rows);
  }
}

TEST(RowPlaces, EachRowPointsAtWhereItIsWrittenInTheListedLines) {
  // Listed lines: X:1 (0), T: (1), K: (2), then the body from line 3.
  const ParsedTune tune = readStandard("X:1\nT:Place\nK:G\n\"G\"G2 [DF]A/ {g}B | c \\\n  d%x\n");
  struct Where {
    std::uint32_t line;
    std::uint16_t column;
    std::uint16_t width;
  };
  // G2; the chord's two rows; A/; the grace note and B share the B; c; d on the next line.
  const std::vector<Where> expected = {{3, 3, 2},  {3, 6, 4},  {3, 6, 4}, {3, 10, 2},
                                       {3, 16, 1}, {3, 16, 1}, {3, 20, 1}, {4, 2, 1}};
  ASSERT_EQ(tune.places.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(tune.places[i].line, expected[i].line);
    EXPECT_EQ(tune.places[i].column, expected[i].column);
    EXPECT_EQ(tune.places[i].width, expected[i].width);
  }
}

TEST(RowPlaces, TheClassicReadingHasNone) {
  const TuneFile file = readTuneText("X:1\nT:T\nK:G\nABc|\n");
  TuneReader reader;
  EXPECT_TRUE(reader.parse(file.lineStore, 1, Reading::Classic).places.empty());
}

}  // namespace
}  // namespace corvale
