#include <gtest/gtest.h>

#include <filesystem>

#include "tune/tune_file.h"
#include "tune/tune_parser.h"
#include "tune_dump.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

const std::filesystem::path kCorpus = TUNE_CORPUS_DIR;

TEST(Corpus, EveryFileIsIndexedAndEveryListedTuneParses) {
  if (!std::filesystem::is_directory(kCorpus)) GTEST_SKIP() << "no tune corpus at " << kCorpus;
  int files = 0;
  std::size_t tunes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kCorpus)) {
    if (entry.path().extension() != ".abc") continue;
    ++files;
    const TuneFile file = readTuneFile(entry.path());
    TuneParser parser;
    for (std::uint64_t n = 0; n <= file.tuneIndex.size(); ++n) {
      const ParsedTune tune = parser.parse(file.lineStore, n);
      ASSERT_LE(tune.events.count(), EventTable::kRows) << entry.path() << " tune " << n;
      ASSERT_GE(tune.tuneLineCount, 1);
    }
    tunes += file.tuneIndex.size();
  }
  EXPECT_GT(files, 100);
  EXPECT_GT(tunes, 5000U);
}

TEST(Corpus, NottinghamTunesGetTheirKeyDespiteTheCommentInTheirHeader) {
  const auto path = kCorpus / "nottingham" / "jigs.abc";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(runTuneDump({path.string(), "1"}, out, err), 0);
  EXPECT_EQ(out.str().substr(0, out.str().find("event")), "tune\t1\nkey\tA\tA\nlines\t9\t15\n");
}

TEST(Corpus, Latin1TitlesAreListedAsUtf8) {
  const auto path = kCorpus / "gotlandstoner" / "source-20160725.abc";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
  const TuneFile file = readTuneFile(path);
  bool found = false;
  for (const std::string& title : file.tuneIndex) found = found || title == "\xC3\x85kermans polska";
  EXPECT_TRUE(found);
}

TEST(Corpus, CrLfFilesHaveNoCarriageReturnsInTheirLines) {
  const auto path = kCorpus / "litten" / "Litten MS.abc";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
  const TuneFile file = readTuneFile(path);
  const ParsedTune tune = TuneParser().parse(file.lineStore, 1);
  for (const std::string& line : tune.listedLines) EXPECT_EQ(line.find('\r'), std::string::npos);
}

}  // namespace
}  // namespace corvale
