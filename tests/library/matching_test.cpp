// The matching rules shared by the find in the open file and the library search:
// folding, words in any order, fields under the standard reading, and queries.
#include <gtest/gtest.h>

#include "player/library/search_query.h"
#include "player/library/text_folding.h"
#include "player/library/tune_finder.h"
#include "player/library/tune_record.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

TEST(TextFoldingTest, CaseAccentsAndPunctuationAreFoldedAway) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Cooley's", "cooleys"},
      {"Cooley\u2019s Reel", "cooleys reel"},
      {"An Ch\u00E9ad Ph\u00F3g", "an chead phog"},
      {"Sto\u00DFe", "stosse"},
      {"  The Wind -- That  Shakes/the\tBarley!  ", "the wind that shakes the barley"},
      {"Kn\u00F8rr\u00E6", "knorrae"},
      {"Tobin's-Favourite (No. 2)", "tobins favourite no 2"},
      {"", ""},
  };
  for (const auto& [text, folded] : cases) EXPECT_EQ(foldForSearch(text), folded) << text;
}

TEST(TextFoldingTest, EveryWordMustBeginAWordInAnyOrder) {
  const std::string title = foldForSearch("The Wind That Shakes the Barley");
  const std::vector<std::pair<std::string, bool>> cases{
      {"wind", true},        {"barley wind", true}, {"sha", true},  {"THE W", true},
      {"ind", false},        {"wind oats", false},  {"", true},     {"shakes the", true},
  };
  for (const auto& [typed, matches] : cases) {
    EXPECT_EQ(containsEveryWord(searchWords(typed), title), matches) << typed;
  }
}

const char* const kTunes =
    "R:reel\n"
    "\n"
    "X:7\nT:Cooley's\nC:Joe Cooley\nM:4/4\nK:Edor\n|:EBBA B2 EB|B2AB dBAG|\n"
    "\n"
    "X:8\nT:Out on the Ocean\nT:Cuan Mara\nR:jig\nO:Ireland\nS:O'Neill\nK:G\nGE|D2B BAG|\n"
    "\n"
    "X:9\nT:\u00C9amonn an Chnoic\nK:Am\nA2|\n";

TEST(TuneFinderTest, TheClassicReadingLooksInTitlesOnlyAndTheStandardInTheFieldsToo) {
  const TuneFile file = readTuneText(kTunes);
  const auto findIn = [&](Reading reading, const std::string& typed) {
    const std::vector<TuneListEntry> entries = tuneListOf(file, reading);
    std::vector<std::string> found;
    for (const int row : TuneFinder(findableTexts(file.lineStore.text(), entries, reading)).findAll(typed)) {
      found.push_back(entries[static_cast<std::size_t>(row)].title(file.lineStore.text()));
    }
    return found;
  };
  using Titles = std::vector<std::string>;
  EXPECT_EQ(findIn(Reading::Classic, "cooleys"), Titles{"Cooley's"});
  EXPECT_EQ(findIn(Reading::Classic, "eamonn"), Titles{"\u00C9amonn an Chnoic"});
  EXPECT_EQ(findIn(Reading::Classic, "jig"), Titles{});
  // Under the classic reading the subtitle is not listed, so it is not found.
  EXPECT_EQ(findIn(Reading::Classic, "cuan"), Titles{});
  EXPECT_EQ(findIn(Reading::Standard, "cuan"), Titles{"Out on the Ocean"});
  EXPECT_EQ(findIn(Reading::Standard, "jig g"), Titles{"Out on the Ocean"});
  EXPECT_EQ(findIn(Reading::Standard, "oneill ireland"), Titles{"Out on the Ocean"});
  EXPECT_EQ(findIn(Reading::Standard, "joe edor"), Titles{"Cooley's"});
  EXPECT_EQ(findIn(Reading::Standard, "9"), Titles{"\u00C9amonn an Chnoic"});
  // The file header's rhythm is every tune's that gives none.
  EXPECT_EQ(findIn(Reading::Standard, "reel"), (Titles{"Cooley's", "\u00C9amonn an Chnoic"}));
}

TEST(TuneFinderTest, FindsOnFromTheSelectedRowRoundTheEndInBothDirections) {
  const TuneFinder finder({"the first", "second reel", "third", "fourth reel"});
  using D = TuneFinder::Direction;
  const std::vector<std::tuple<int, D, bool, std::optional<int>>> cases{
      {1, D::Forward, true, 1},  {1, D::Forward, false, 3}, {3, D::Forward, false, 1},
      {1, D::Backward, false, 3}, {-1, D::Forward, false, 1}, {-1, D::Backward, false, 3},
  };
  for (const auto& [from, direction, fromCounts, row] : cases) {
    EXPECT_EQ(finder.find("reel", from, direction, fromCounts), row) << from;
  }
  EXPECT_EQ(finder.find("waltz", 0, D::Forward, true), std::nullopt);
  EXPECT_EQ(finder.find("  ", 0, D::Forward, true), std::nullopt);
}

TEST(TuneRecordTest, HeaderFieldsAndTheFirstBarsAreTaken) {
  const std::vector<TuneRecord> records = readTuneRecords(kTunes);
  ASSERT_EQ(records.size(), 3u);
  const TuneRecord& ocean = records[1];
  EXPECT_EQ(ocean.number, 2u);
  EXPECT_EQ(ocean.xNumber, "8");
  EXPECT_EQ(ocean.titles, (std::vector<std::string>{"Out on the Ocean", "Cuan Mara"}));
  EXPECT_EQ(ocean.rhythm, "jig");
  EXPECT_EQ(ocean.key, "G");
  EXPECT_EQ(ocean.origin, "Ireland");
  EXPECT_EQ(ocean.source, "O'Neill");
  EXPECT_EQ(ocean.firstBars, "GE|D2B BAG|");
  EXPECT_EQ(std::string_view(kTunes).substr(ocean.byteOffset, 4), "X:8\n");
  EXPECT_EQ(records[0].rhythm, "reel");
  EXPECT_EQ(records[0].firstBars, "EBBA B2 EB|B2AB dBAG|");
}

TEST(SearchQueryTest, FiltersAndWordsAreTakenApart) {
  const SearchQuery query = parseSearchQuery("Cooley's key:Edor rhythm:\"Slip Jig\" metre:6/8 x:12 r:");
  EXPECT_EQ(query.words, (std::vector<std::string>{"cooleys", "12"}));
  EXPECT_EQ(query.key, "edor");
  EXPECT_EQ(query.rhythm, "slip jig");
  EXPECT_EQ(query.metre, "6/8");
  EXPECT_TRUE(parseSearchQuery("  key:  ").empty());
  EXPECT_EQ(parseSearchQuery("http://x").words, (std::vector<std::string>{"http", "x"}));
}

TEST(SearchQueryTest, KeysAndMetresAreComparedAsTheyAreMeant) {
  const std::vector<std::pair<std::string, std::string>> keys{
      {"G", "g"},          {" Gmaj", "g"},     {"G major", "g"}, {"G Ionian", "g"}, {"Em", "em"},
      {"E minor", "em"},   {"Eaeolian", "em"}, {"Ador", "ador"}, {"A Dorian", "ador"},
      {"Bb Mixolydian", "bbmix"}, {"F#m", "f#m"}, {"D clef=bass", "d"}, {"none", "none"}, {"", ""},
  };
  for (const auto& [field, name] : keys) EXPECT_EQ(keyName(field), name) << field;
  EXPECT_EQ(metreName("C"), "4/4");
  EXPECT_EQ(metreName("C|"), "2/2");
  EXPECT_EQ(metreName(" 6 / 8"), "6/8");
}

}  // namespace
}  // namespace corvale
