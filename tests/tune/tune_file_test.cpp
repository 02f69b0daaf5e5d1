#include <gtest/gtest.h>

#include <string>

#include "tune/tune_file.h"

namespace corvale {
namespace {

using Titles = std::vector<std::string>;

Titles titlesOf(const std::string& text) { return readTuneText(text).tuneIndex; }

TEST(TuneIndex, ListsTheFirstOfEveryRunOfTitleLinesInFileOrder) {
  EXPECT_EQ(titlesOf("X:1\nT:One\nX:2\nT:Two\nX:3\nT:Three\n"), (Titles{"One", "Two", "Three"}));
  EXPECT_EQ(titlesOf("X:1\nT:Main\nT:Sub\nK:G\nT:Again\n"), (Titles{"Main", "Again"}));
  EXPECT_EQ(titlesOf("T:Book\nX:1\nT:One\n"), (Titles{"Book", "One"}));
  EXPECT_TRUE(titlesOf("").empty());
}

TEST(TuneIndex, KeepsTheSpaceAfterTheColonAndCutsAtFortyCharacters) {
  const std::string longTitle(45, 'x');
  EXPECT_EQ(titlesOf("X:1\nT: Spaced\nX:2\nT:" + longTitle + "\n"), (Titles{" Spaced", std::string(40, 'x')}));
}

TEST(TuneIndex, CutsLongTitlesInCharactersNotBytes) {
  std::string title;
  for (int i = 0; i < 45; ++i) title += "\xC3\xA5";  // å
  const Titles titles = titlesOf("X:1\nT:" + title + "\n");
  ASSERT_EQ(titles.size(), 1U);
  EXPECT_EQ(titles[0].size(), 80U);
}

TEST(TuneFileText, ReadsValidUtf8AsUtf8AndAnyOtherBytesAsLatin1) {
  EXPECT_EQ(titlesOf("X:1\nT:Fjellv\xC3\xA5k\n"), (Titles{"Fjellv\xC3\xA5k"}));
  EXPECT_EQ(titlesOf("X:1\nT:\xC5kermans polska\n"), (Titles{"\xC3\x85kermans polska"}));
}

TEST(TuneFileText, DropsALeadingByteOrderMark) {
  const TuneFile file = readTuneText("\xEF\xBB\xBFX:1\nT:One\n");
  EXPECT_EQ(file.lineStore.tuneCount(), 1U);
  EXPECT_EQ(file.lineStore.line(1, 1), "X:1");
}

TEST(TuneFileReading, AFolderIsAnErrorNotAnEmptyTuneList) {
  EXPECT_THROW(readTuneFile(std::filesystem::temp_directory_path()), TuneFileError);
}

}  // namespace
}  // namespace corvale
