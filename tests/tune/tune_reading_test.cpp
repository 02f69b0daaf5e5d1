#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tune/line_store.h"
#include "tune/tune_file.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::repeated;

TEST(LineStore, NumbersTheLinesOfEachTuneFromItsXLineAndKeepsEarlierLinesAsTuneZero) {
  const LineStore store = LineStore::fromText("%abc\r\nT:Book\rX:1\nT:One\n\nx:2\n X:3\nX 4\nX:5\nT:Two");
  EXPECT_EQ(store.tuneCount(), 2U);
  EXPECT_EQ(store.lineCount(0), 2U);
  EXPECT_EQ(store.lineCount(1), 6U);
  const std::tuple<std::uint64_t, std::uint64_t, std::string_view> cells[] = {
      {0, 1, "%abc"}, {0, 2, "T:Book"}, {0, 3, ""},     {1, 0, ""},    {1, 1, "X:1"},       {1, 3, ""},
      {1, 5, " X:3"}, {1, 7, " "},      {2, 2, "T:Two"}, {2, 3, " "},  {7, 1, " "},  {UINT64_MAX, UINT64_MAX, " "},
  };
  for (const auto& [tune, line, text] : cells) EXPECT_EQ(store.line(tune, line), text) << tune << "/" << line;
}

TEST(LineStore, KeepsEveryLineOfLongTunesAndManyTunes) {
  std::string text = "X:0\n";
  for (int i = 0; i < 200; ++i) text += "line" + std::to_string(i) + "\n";
  for (int t = 1; t <= 40000; ++t) text += "X:" + std::to_string(t) + "\nT:Tune " + std::to_string(t) + "\n";
  const LineStore store = LineStore::fromText(text);
  EXPECT_EQ(store.tuneCount(), 40001U);
  EXPECT_EQ(store.line(1, 201), "line199");
  EXPECT_EQ(store.line(40001, 2), "T:Tune 40000");
}

// The lines of `text` by tune, split the plain way: CRLF and CR made LF first.
std::vector<std::vector<std::string>> plainSplit(std::string text) {
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.erase(at, 1);
  std::replace(text.begin(), text.end(), '\r', '\n');
  std::vector<std::vector<std::string>> tunes(1);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("X:")) tunes.emplace_back();
    tunes.back().push_back(line);
  }
  return tunes;
}

// Lines are found again from a few kept line starts: every line of texts with runs of
// empty lines, lines far longer than the distance between kept starts, and mixed line
// ends must read as a plain split of the text does, by line() and by forEachLine().
TEST(LineStore, FindsEveryLineAsAPlainSplitDoesWhateverTheLineLengthsAndEnds) {
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::uint32_t below) { return (seed = seed * 1103515245U + 12345U) / 65536U % below; };
  for (int round = 0; round < 20; ++round) {
    std::string text;
    const int lines = 1 + static_cast<int>(next(400));
    for (int i = 0; i < lines; ++i) {
      const std::uint32_t kind = next(10);
      text += kind < 4 ? "" : kind < 5 ? "X:" + std::to_string(i) : std::string(next(kind == 9 ? 900 : 30), 'a');
      static constexpr std::string_view kEnds[] = {"\n", "\r\n", "\r"};
      text += kEnds[next(3)];
    }
    const std::vector<std::vector<std::string>> tunes = plainSplit(text);
    const LineStore store = LineStore::fromText(text);
    ASSERT_EQ(store.tuneCount(), tunes.size() - 1);
    std::vector<std::vector<std::string>> visited(tunes.size());
    store.forEachLine([&](std::uint64_t tune, std::uint64_t n, std::string_view line) {
      ASSERT_LT(tune, visited.size());
      ASSERT_EQ(n, visited[tune].size() + 1);
      visited[tune].emplace_back(line);
    });
    for (std::uint64_t tune = 0; tune < tunes.size(); ++tune) {
      ASSERT_EQ(store.lineCount(tune), tunes[tune].size()) << "tune " << tune;
      ASSERT_EQ(visited[tune].size(), tunes[tune].size()) << "tune " << tune;
      for (std::uint64_t n = 1; n <= tunes[tune].size(); ++n) {
        ASSERT_EQ(store.line(tune, n), tunes[tune][n - 1]) << "tune " << tune << " line " << n;
        ASSERT_EQ(visited[tune][n - 1], tunes[tune][n - 1]) << "tune " << tune << " line " << n;
      }
    }
  }
}

TEST(TuneIndex, ListsTheFirstOfEveryRunOfTitlesCutAtFortyCharactersOfUtf8OrLatin1Text) {
  const std::pair<std::string, std::vector<std::string>> files[] = {
      {"X:1\nT:One\nX:2\nT:Two\nX:3\nT:Three\n", {"One", "Two", "Three"}},
      {"T:Book\nX:1\nT:Main\nT:Sub\nK:G\nT:Again\n", {"Book", "Main", "Again"}},
      {"", {}},
      {"X:1\nT: Spaced\nX:2\nT:" + std::string(45, 'x'), {" Spaced", std::string(40, 'x')}},
      {"X:1\nT:" + repeated("å", 45), {repeated("å", 40)}},
      {"X:1\nT:\xC5kermans polska\n", {"Åkermans polska"}},
      {"X:1\nT:" + repeated("\xE9", 45) + "\n", {repeated("é", 40)}},  // widened in place
      {"\xEF\xBB\xBFT:One\n", {"One"}},  // a byte-order mark is no part of the first line
  };
  for (const auto& [text, titles] : files) {
    const TuneFile file = readTuneText(text);
    EXPECT_EQ(titlesOf(file.tuneIndex, file.lineStore.text()), titles) << text;
  }
}

}  // namespace
}  // namespace corvale
