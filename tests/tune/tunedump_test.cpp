#include <gtest/gtest.h>

#include <string>

#include "dump_command_line.h"
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

TEST(TuneDump, PlaysEachTuneNumberInOrderInOneRun) {
  const auto result = dumpTunes("X:1\nK:D\nF/\n\nX:2\nK:Bdor\n(3c\n", {"2", "1", "0"});
  EXPECT_EQ(result.out,
            "tune\t2\nkey\tBdor\tB\nlines\t3\t3\nevent\t73\t80\t8\t0.666\n"
            "tune\t1\nkey\tD\tD\nlines\t3\t3\nevent\t66\t80\t8\t0.5\n"
            "tune\t0\nkey\t\t\nlines\t1\t1\n");
}

TEST(TuneDump, ATuneNumberPastTheEndOfTheFileIsABlankTune) {
  const auto result = dumpTunes("X:1\nK:D\nF\n", {"2", "123456789012345678901234567890"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "tune\t2\nkey\t\t\nlines\t1\t1\n"
            "tune\t123456789012345678901234567890\nkey\t\t\nlines\t1\t1\n");
}

TEST(TuneDump, ABadTuneNumberIsAUsageErrorNamingTheFile) {
  const auto result = dumpTunes("X:1\n", {"1", "-2"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(".abc"), std::string::npos);
  EXPECT_NE(result.err.find("\"-2\""), std::string::npos);
  EXPECT_EQ(result.err.back(), '\n');
}

TEST(TuneDump, AMissingFileOrNoFileIsAnError) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(runTuneDump({"/nonexistent/tunes.abc"}, out, err), 2);
  EXPECT_EQ(err.str(), "tunedump: /nonexistent/tunes.abc: No such file or directory\n");
  EXPECT_EQ(runTuneDump({}, out, err), 2);
  EXPECT_EQ(out.str(), "");
}

TEST(TuneDump, NumbersPrintInTheShortestFormThatReadsBack) {
  EXPECT_EQ(formatNumber(1), "1");
  EXPECT_EQ(formatNumber(2 * 0.666), "1.332");
  const double graceInTuplet = 0.666 / 8;
  EXPECT_EQ(std::stod(formatNumber(graceInTuplet)), graceInTuplet);
}

}  // namespace
}  // namespace corvale
