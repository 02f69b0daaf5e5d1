#include <gtest/gtest.h>

#include <cstdint>
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

TEST(TuneIndex, ListsTheFirstOfEveryRunOfTitlesCutAtFortyCharactersOfUtf8OrLatin1Text) {
  const std::pair<std::string, std::vector<std::string>> files[] = {
      {"X:1\nT:One\nX:2\nT:Two\nX:3\nT:Three\n", {"One", "Two", "Three"}},
      {"T:Book\nX:1\nT:Main\nT:Sub\nK:G\nT:Again\n", {"Book", "Main", "Again"}},
      {"", {}},
      {"X:1\nT: Spaced\nX:2\nT:" + std::string(45, 'x'), {" Spaced", std::string(40, 'x')}},
      {"X:1\nT:" + repeated("å", 45), {repeated("å", 40)}},
      {"X:1\nT:\xC5kermans polska\n", {"Åkermans polska"}},
      {"\xEF\xBB\xBFT:One\n", {"One"}},  // a byte-order mark is no part of the first line
  };
  for (const auto& [text, titles] : files) EXPECT_EQ(titlesOf(readTuneText(text).tuneIndex), titles) << text;
}

}  // namespace
}  // namespace corvale
