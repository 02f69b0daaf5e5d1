// The library's modes of tunedump, as scripts use them: what each prints, and the
// command lines it refuses.
#include <sstream>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::DumpResult;
using testing::runDump;

class TunedumpLibraryTest : public testing::TemporaryFolder {
 protected:
  TunedumpLibraryTest() {
    book = write("music/book.abc", "X:1\nT:Cooley's\nR:reel\nM:4/4\nK:Edor\nEBBA|\n\nX:2\nT:The Kesh\nR:jig\nK:G\nGAG|\n");
  }
  std::filesystem::path book;
  std::string db = (root / "index.sqlite").string();
};

TEST_F(TunedumpLibraryTest, FindIndexAndSearchPrintOneRecordALine) {
  EXPECT_EQ(runDump({"--find", "COOLEYS", book.string()}).out, "index\t1\tCooley's\n");
  EXPECT_EQ(runDump({"--find", "jig", book.string()}).out, "");
  EXPECT_EQ(runDump({"--standard", "--find", "jig", book.string()}).out, "index\t2\tThe Kesh\n");
  const DumpResult index = runDump({"--index", (root / "music").string(), "--db", db});
  EXPECT_EQ(index.status, 0);
  EXPECT_EQ(index.out, "files\t1\nread\t1\nunchanged\t0\nremoved\t0\nunreadable\t0\ntunes\t2\nrebuilt\tyes\n");
  EXPECT_EQ(runDump({"--search", "key:G", "--db", db}).out, "hit\tThe Kesh\tG\tjig\t\t2\t" + book.string() + "\n");
  EXPECT_EQ(runDump({"--search", "", "--db", db, "--limit", "1"}).out,
            "hit\tCooley's\tEdor\treel\t4/4\t1\t" + book.string() + "\nmore\n");
}

TEST_F(TunedumpLibraryTest, ABadCommandLineIsRefusedWithStatusTwo) {
  const std::vector<std::vector<std::string>> bad{
      {"--find", "words"},
      {"--index", "folder"},
      {"--search", "kesh", "--db"},
      {"--search", "kesh", "--db", db, "--limit", "0"},
      {"--search", "kesh", "--db", db, "--fast"},
      {"--search", "kesh", "--db", (root / "missing.sqlite").string()},
      {"--find", "words", (root / "music").string()},
      {"--play-set", "--replays", "2", (root / "a.set").string()},
      {"--play-set", (root / "missing.set").string()},
  };
  for (const auto& args : bad) {
    const DumpResult run = runDump(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_EQ(run.err.rfind("tunedump: ", 0), 0u) << args.back();
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
}

TEST_F(TunedumpLibraryTest, PlaySetMarksEachTuneAsItBeginsAndSaysWhatItLeftOut) {
  const auto set = write("a.set", "# set\n1\t2\tThe Kesh\t" + book.string() + "\n1\t5\tGone\t" + book.string() +
                                      "\n1\t1\tCooley's\t" + book.string() + "\n");
  const DumpResult run = runDump({"--play-set", "--tempo", "30", set.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("\"Gone\" was left out"), std::string::npos);
  std::vector<std::string> marks;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("set\t", 0) == 0) marks.push_back(line);
  }
  // The Kesh is three eighths: 67, 67 and 67 ms, so Cooley's begins at 201 ms.
  EXPECT_EQ(marks, (std::vector<std::string>{"set\t0\t2\tThe Kesh", "set\t201\t1\tCooley's"}));
}

}  // namespace
}  // namespace corvale
