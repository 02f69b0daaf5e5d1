#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tune/tune_file.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using ::testing::HasSubstr;
using Titles = std::vector<std::string>;

Titles titlesOf(const std::string& text) { return readTuneText(text).tuneIndex; }

TEST(TuneIndex, ListsOneTitlePerTuneInFileOrder) {
  EXPECT_EQ(titlesOf("X:1\nT:One\nX:2\nT:Two\nX:3\nT:Three\n"), (Titles{"One", "Two", "Three"}));
}

TEST(TuneIndex, ASubtitleDirectlyAfterTheTitleIsNotListed) {
  EXPECT_EQ(titlesOf("X:1\nT:Main\nT:Sub\nK:G\n"), (Titles{"Main"}));
}

TEST(TuneIndex, ASecondTitleLaterInTheTuneGivesAnotherEntry) {
  EXPECT_EQ(titlesOf("X:1\nT:Main\nK:G\nT:Again\n"), (Titles{"Main", "Again"}));
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

TEST(TuneIndex, ATitleBeforeTheFirstTuneIsListedToo) {
  EXPECT_EQ(titlesOf("T:Book\nX:1\nT:One\n"), (Titles{"Book", "One"}));
}

TEST(TuneIndex, AnEmptyFileListsNothing) { EXPECT_TRUE(titlesOf("").empty()); }

TEST(TuneFileText, ReadsValidUtf8AsUtf8) {
  EXPECT_EQ(titlesOf("X:1\nT:Fjellv\xC3\xA5k\n"), (Titles{"Fjellv\xC3\xA5k"}));
}

TEST(TuneFileText, ReadsAnyOtherBytesAsLatin1) {
  EXPECT_EQ(titlesOf("X:1\nT:\xC5kermans polska\n"), (Titles{"\xC3\x85kermans polska"}));
}

TEST(TuneFileText, DropsALeadingByteOrderMark) {
  const TuneFile file = readTuneText("\xEF\xBB\xBFX:1\nT:One\n");
  EXPECT_EQ(file.lineStore.tuneCount(), 1U);
  EXPECT_EQ(file.lineStore.line(1, 1), "X:1");
}

TEST(TuneFileText, BinaryBytesAreReadWithoutFailing) {
  const std::string bytes("X:1\0\xFF\xFE\nT:\0\x80\n", 12);
  const TuneFile file = readTuneText(bytes);
  EXPECT_EQ(file.tuneIndex.size(), 1U);
}

TEST(TuneFileReading, ReadsAFileFromDisk) {
  const testing::TempTuneFile tuneFile("X:1\r\nT:Reel\r\n");
  const TuneFile file = readTuneFile(tuneFile.path());
  EXPECT_EQ(file.tuneIndex, (Titles{"Reel"}));
}

TEST(TuneFileReading, AMissingFileIsAnErrorNamingTheFileAndTheReason) {
  try {
    readTuneFile("/nonexistent/folder/tunes.abc");
    FAIL() << "no error";
  } catch (const TuneFileError& error) {
    EXPECT_THAT(error.what(), HasSubstr("/nonexistent/folder/tunes.abc"));
    EXPECT_THAT(error.what(), HasSubstr("No such file"));
  }
}

TEST(TuneFileReading, AFolderIsAnErrorNotAnEmptyTuneList) {
  EXPECT_THROW(readTuneFile(std::filesystem::temp_directory_path()), TuneFileError);
}

}  // namespace
}  // namespace corvale
