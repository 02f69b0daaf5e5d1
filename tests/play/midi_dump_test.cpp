#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tune_fixtures.h"

namespace corvale {
namespace {

const char* const kOneNote = "X:1\nT:One\nK:D\nD\n";

using testing::SentWord;

class MidiDumpTest : public ::testing::Test {
 protected:
  // Plays tune N of `tunes` through `tunedump --midi` and reads back the words.
  std::vector<SentWord> dump(const std::string& tunes, std::vector<std::string> options, std::string tune = "1") {
    options.insert(options.begin(), "--midi");
    const testing::DumpResult result = testing::dumpTunes(tunes, {tune}, options);
    status = result.status;
    errors = result.err;
    return testing::sentWordsOf(result.out);
  }

  int status = -1;
  std::string errors;
};

TEST_F(MidiDumpTest, InstrumentOptionIsTheCaptionThePlaySwitchesFrom) {
  // After the sixteen program changes of opening, the patch on channel 8.
  EXPECT_EQ(dump(kOneNote, {}).at(16), (SentWord{0, 0x000069C7}));
  EXPECT_EQ(dump(kOneNote, {"--instrument", "BANJO"}).at(16), (SentWord{0, 0x00006EC7}));
}

TEST_F(MidiDumpTest, NotesEndAsTheTempoAndTheTableOfLengthsSay) {
  // Lengths 4, 3, 2, a roll (1.5 then 0.25, 0.25, 0.25, 0.25, 0.5), 1, 0.5,
  // a grace note of 0.25 and one of 0.125, and a triplet of 0.666 each.
  const std::string lengthsTune = "X:1\nT:Lengths\nK:D\nD4 D3 D2 ~D3 D D/ {D2}D {D}D (3DDD|\n";
  const struct {
    std::string tune;
    std::vector<std::string> options;
    std::vector<long> lengths;
  } rows[] = {
      {"X:1\nT:Two\nK:D\nDD\n", {"--tempo", "1"}, {2000, 2000}},
      {kOneNote, {"--replays", "2"}, {182, 182, 182}},
      {lengthsTune, {}, {727, 545, 364, 273, 45, 45, 45, 45, 91, 182, 91, 45, 182, 23, 182, 121, 121, 121}},
      {lengthsTune, {"--tempo", "30"}, {267, 200, 133, 100, 17, 17, 17, 17, 33, 67, 33, 17, 67, 8, 67, 44, 44, 44}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tune + (row.options.empty() ? "" : " " + row.options[0] + " " + row.options[1]));
    // Each row ends with its note-off on channel 8.
    std::vector<long> ends;
    long end = 0;
    for (long length : row.lengths) ends.push_back(end += length);
    std::vector<long> noteOffs;
    for (const SentWord& sent : dump(row.tune, row.options)) {
      if ((sent.word & 0xFF) == 0x87) noteOffs.push_back(sent.ms);
    }
    EXPECT_EQ(noteOffs, ends);
  }
}

TEST_F(MidiDumpTest, RestSendsASilentNoteForOneUnit) {
  const std::vector<SentWord> words = dump("X:1\nT:Rest\nK:C\nCzC\n", {});
  ASSERT_GE(words.size(), 6u);
  const std::vector<SentWord> expected{{0, 0x00503C97},   {182, 0x00003C87}, {182, 0x00003897},
                                       {364, 0x00003887}, {364, 0x00503C97}, {546, 0x00003C87}};
  EXPECT_EQ(std::vector<SentWord>(words.end() - 6, words.end()), expected);
}

TEST_F(MidiDumpTest, BadCommandLinesAndMissingFilesAreRefusedWithStatusTwo) {
  const std::vector<std::vector<std::string>> refused{
      {"--tempo", "0"},  {"--tempo", "31"},          {"--tempo", "x"}, {"--replays", "100"},
      {"--replays", "-1"}, {"--instrument", "PIANO"}, {"--loud"},       {"--tempo"}};
  for (const std::vector<std::string>& options : refused) {
    SCOPED_TRACE(options[0]);
    EXPECT_TRUE(dump(kOneNote, options).empty());
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(errors.empty());
  }
  EXPECT_TRUE(dump(kOneNote, {}, "one").empty());
  EXPECT_EQ(status, 2);
  const testing::DumpResult missing = testing::runDump({"--midi", "/nonexistent/tunes.abc", "1"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("tunes.abc"), std::string::npos);
}

}  // namespace
}  // namespace corvale
