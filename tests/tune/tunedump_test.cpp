#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "tune_dump.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::dumpTunes;

TEST(TuneDump, ListsEveryTuneListEntryWithItsTuneNumber) {
  const auto result = dumpTunes("T:Book\nX:1\nT:One\nT:Sub\nX:2\nT: Two\n", {});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "index\t1\tBook\nindex\t2\tOne\nindex\t3\t Two\n");
}

// Tune 0 is played after a tune with a key: it has none, so its F is not raised.
TEST(TuneDump, PlaysEachTuneNumberInOrderInOneRunAndBlankTunesPastTheEnd) {
  const auto result = dumpTunes("F\nX:1\nK:D\nF/z3\n\nX:2\nK:Bdor\n(3c\n", {"02", "1", "0", "3", "123456789012345678901234567890"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "tune\t2\nkey\tBdor\tB\nlines\t3\t3\nevent\t73\t80\t8\t0.666\n"
            "tune\t1\nkey\tD\tD\nlines\t3\t3\nevent\t66\t80\t8\t0.5\nevent\t56\t0\t8\t3\n"
            "tune\t0\nkey\t\t\nlines\t1\t1\nevent\t65\t80\t8\t1\n"
            "tune\t3\nkey\t\t\nlines\t1\t1\n"
            "tune\t123456789012345678901234567890\nkey\t\t\nlines\t1\t1\n");
}

// The worked example of the body scan: a chord symbol, lengths, halving slashes, a
// natural, a flat and an octave mark, in the key of G.
TEST(TuneDump, PlaysTheWorkedExampleInTheKeyOfG) {
  const auto result = dumpTunes("X:1\nT:Example\nK:G\n\"D\"B2 A G F/E/ =F _B c'|\n", {"1"});
  EXPECT_EQ(result.out,
            "tune\t1\nkey\tG\tG\nlines\t4\t4\n"
            "event\t71\t80\t8\t2\nevent\t69\t80\t8\t1\nevent\t67\t80\t8\t1\nevent\t66\t80\t8\t0.5\n"
            "event\t64\t80\t8\t0.5\nevent\t65\t80\t8\t1\nevent\t70\t80\t8\t1\nevent\t84\t80\t8\t1\n");
}

TEST(TuneDump, ABadTuneNumberAMissingFileAFolderOrNoFileIsAnErrorOnOneLine) {
  const auto badNumber = dumpTunes("X:1\n", {"1", "-2"});
  EXPECT_EQ(badNumber.status, 2);
  EXPECT_EQ(badNumber.out, "");
  EXPECT_NE(badNumber.err.find(".abc: tune number \"-2\""), std::string::npos);
  EXPECT_EQ(badNumber.err.find('\n'), badNumber.err.size() - 1);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(runTuneDump({"/nonexistent/tunes.abc"}, out, err), 2);
  EXPECT_EQ(err.str(), "tunedump: /nonexistent/tunes.abc: No such file or directory\n");
  EXPECT_EQ(runTuneDump({std::filesystem::temp_directory_path().string()}, out, err), 2);
  EXPECT_EQ(runTuneDump({}, out, err), 2);
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace corvale
