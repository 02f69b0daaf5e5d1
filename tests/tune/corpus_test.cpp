#include <gtest/gtest.h>

#include <filesystem>

#include "abc/tune_reading.h"
#include "tune/tune_file.h"
#include "tune/tune_parser.h"

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
      ASSERT_GE(parser.parse(file.lineStore, n).tuneLineCount, 1) << entry.path() << " tune " << n;
    }
    // Under the standard reading every played row knows where it is written.
    TuneReader reader;
    const std::size_t standardTunes = tuneListOf(file, Reading::Standard).size();
    for (std::uint64_t n = 1; n <= standardTunes; ++n) {
      const ParsedTune tune = reader.parse(file.lineStore, n, Reading::Standard);
      ASSERT_EQ(tune.places.size(), static_cast<std::size_t>(tune.events.count())) << entry.path() << " tune " << n;
      for (const RowPlace& place : tune.places) ASSERT_LT(place.line, tune.listedLines.size()) << entry.path();
    }
    tunes += file.tuneIndex.size();
  }
  EXPECT_GT(files, 100);
  EXPECT_GT(tunes, 5000U);
}

}  // namespace
}  // namespace corvale
