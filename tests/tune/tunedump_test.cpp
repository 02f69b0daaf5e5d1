#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "field_text.h"
#include "tune_dump.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::dumpTunes;
using namespace std::string_literals;

// Each entry names the tune that gave its title, and playing that number plays the tune
// of that title: every tune here has a key of its own, shown after the title.
TEST(TuneDump, EveryTuneListEntryPlaysTheTuneItsTitleCameFrom) {
  const std::pair<std::string, std::string> files[] = {
      // one title per tune: numbered as by position
      {"X:1\nT:One D\nK:D\nX:2\nT:Two G\nK:G\n", "index\t1\tOne D\nindex\t2\tTwo G\n"},
      // a tune without a title in the middle
      {"X:1\nT:One D\nK:D\nX:2\nK:A\nX:3\nT:Three G\nK:G\n", "index\t1\tOne D\nindex\t3\tThree G\n"},
      // two separate title lines: both entries play that tune; a subtitle gives none
      {"X:1\nT:One D\nT:sub\nK:D\nT:Also D\nX:2\nT:Two G\nK:G\n",
       "index\t1\tOne D\nindex\t1\tAlso D\nindex\t2\tTwo G\n"},
      // a title before the first X: line plays tune 0, the lines before it
      {"T:Book \nK:F\nX:1\nT:One D\nK:D\nX:2\nT: Two G\nK:G\n",
       "index\t0\tBook \nindex\t1\tOne D\nindex\t2\t Two G\n"},
  };
  for (const auto& [text, listing] : files) {
    SCOPED_TRACE(text);
    const auto result = dumpTunes(text, {});
    ASSERT_EQ(result.status, 0);
    ASSERT_EQ(result.out, listing);
    std::istringstream entries(result.out);
    std::string tag, tune, title;
    while (std::getline(entries, tag, '\t') && std::getline(entries, tune, '\t') && std::getline(entries, title)) {
      const std::string key(1, title.back() == ' ' ? 'F' : title.back());
      const std::string played = dumpTunes(text, {tune}).out;
      EXPECT_EQ(played.substr(0, played.find("lines")), "tune\t" + tune + "\nkey\t" + key + "\t" + key + "\n")
          << title;
    }
  }
}

// A record keeps its fields: control characters of a title or key field are escaped.
TEST(TuneDump, ControlCharactersOfTitlesAndKeyFieldsArePrintedAsEscapes) {
  const auto result = dumpTunes("X:1\nT:A\tB\0C\x1F\\'e\nK:D\tx\0y\n"s, {});
  EXPECT_EQ(result.out, "index\t1\tA\\tB\\0C\\x1F\\'e\n");
  const auto played = dumpTunes("X:1\nT:A\nK:D\tx\0y\n"s, {"1"});
  EXPECT_EQ(played.out.substr(0, played.out.find("lines")), "tune\t1\nkey\tD\\tx\\0y\tD\n");
  // A CR always ends a line in a file, so it reaches the escape only from other readers.
  EXPECT_EQ(escapeControls("a\rb\nc\x7F"), "a\\rb\\nc\x7F");
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

// Files that cannot be read are refused as the file kinds' tests show.
TEST(TuneDump, ABadTuneNumberOrNoFileIsAnErrorOnOneLine) {
  const auto badNumber = dumpTunes("X:1\n", {"1", "-2"});
  EXPECT_EQ(badNumber.status, 2);
  EXPECT_EQ(badNumber.out, "");
  EXPECT_NE(badNumber.err.find(".abc: tune number \"-2\""), std::string::npos);
  EXPECT_EQ(badNumber.err.find('\n'), badNumber.err.size() - 1);
  const auto noFile = testing::runDump({});
  EXPECT_EQ(noFile.status, 2);
  EXPECT_EQ(noFile.out, "");
}

}  // namespace
}  // namespace corvale
