#include "midi_dump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corvale {
namespace {

struct SentWord {
  long ms;
  std::string word;
  bool operator==(const SentWord&) const = default;
};

class MidiDumpTest : public ::testing::Test {
 protected:
  std::filesystem::path tuneFile = std::filesystem::temp_directory_path() /
                                    ("corvale-midi-dump-" + std::to_string(::getpid()) + ".abc");

  void TearDown() override { std::filesystem::remove(tuneFile); }

  void writeTunes(const std::string& text) { std::ofstream(tuneFile) << text; }

  std::vector<SentWord> dump(std::vector<std::string> options, const std::string& tune) {
    options.push_back(tuneFile.string());
    options.push_back(tune);
    std::ostringstream out;
    std::ostringstream err;
    status = runMidiDump(options, out, err);
    errors = err.str();
    std::vector<SentWord> words;
    std::istringstream lines(out.str());
    std::string tag;
    SentWord word;
    while (lines >> tag >> word.ms >> word.word) {
      EXPECT_EQ(tag, "midi");
      words.push_back(word);
    }
    return words;
  }

  // The times of the note-offs on channel 8, each the end of one row.
  static std::vector<long> noteEnds(const std::vector<SentWord>& words) {
    std::vector<long> ends;
    for (const SentWord& sent : words) {
      if (sent.word.substr(8) == "87") ends.push_back(sent.ms);
    }
    return ends;
  }

  int status = -1;
  std::string errors;
};

TEST_F(MidiDumpTest, OneNoteAtTheStartingTempoSendsEveryWordInOrder) {
  writeTunes("X:1\nT:One\nK:D\nD\n");
  const std::vector<SentWord> words = dump({}, "1");

  ASSERT_EQ(status, 0) << errors;
  std::vector<SentWord> expected;
  for (int channel = 0; channel < 16; ++channel) {
    char word[11];
    std::snprintf(word, sizeof word, "0x000000C%X", channel);
    expected.push_back({0, word});
  }
  expected.push_back({0, "0x000069C7"});  // banjo on channel 8: the play switches from FIDDLE
  expected.push_back({0, "0x00503E97"});
  expected.push_back({182, "0x00003E87"});
  EXPECT_EQ(words, expected);
}

TEST_F(MidiDumpTest, OneUnitLastsTwoSecondsAtTempoOne) {
  writeTunes("X:1\nT:One\nK:D\nDD\n");
  EXPECT_EQ(noteEnds(dump({"--tempo", "1"}, "1")), (std::vector<long>{2000, 4000}));
}

TEST_F(MidiDumpTest, LengthsRoundAsTheTableOfLengthsSays) {
  // Lengths 4, 3, 2, a roll (1.5 then 0.25, 0.25, 0.25, 0.25, 0.5), 1, 0.5,
  // a grace note of 0.25 and one of 0.125, and a triplet of 0.666 each.
  writeTunes("X:1\nT:Lengths\nK:D\nD4 D3 D2 ~D3 D D/ {D2}D {D}D (3DDD|\n");
  const std::vector<long> lengthsAt11{727, 545, 364, 273, 45, 45, 45, 45, 91, 182, 91, 45, 182, 23, 182, 121, 121, 121};
  const std::vector<long> lengthsAt30{267, 200, 133, 100, 17, 17, 17, 17, 33, 67, 33, 17, 67, 8, 67, 44, 44, 44};

  for (const auto& [tempo, lengths] : {std::pair{"11", lengthsAt11}, std::pair{"30", lengthsAt30}}) {
    std::vector<long> ends;
    long end = 0;
    for (long length : lengths) ends.push_back(end += length);
    EXPECT_EQ(noteEnds(dump({"--tempo", tempo}, "1")), ends) << "TEMPO " << tempo;
  }
}

TEST_F(MidiDumpTest, RestSendsASilentNoteForOneUnit) {
  writeTunes("X:1\nT:Rest\nK:C\nCzC\n");
  const std::vector<SentWord> words = dump({}, "1");

  const std::vector<SentWord> notes(words.end() - 6, words.end());
  const std::vector<SentWord> expected{{0, "0x00503C97"},   {182, "0x00003C87"}, {182, "0x00003897"},
                                       {364, "0x00003887"}, {364, "0x00503C97"}, {546, "0x00003C87"}};
  EXPECT_EQ(notes, expected);
}

TEST_F(MidiDumpTest, ReplaysAndInstrumentAreTakenFromTheOptions) {
  writeTunes("X:1\nT:One\nK:D\nD\n");
  const std::vector<SentWord> words = dump({"--replays", "2", "--instrument", "BANJO"}, "1");

  EXPECT_EQ(words[16].word, "0x00006EC7");  // fiddle, switched from BANJO
  EXPECT_EQ(noteEnds(words), (std::vector<long>{182, 364, 546}));
}

TEST_F(MidiDumpTest, BadCommandLinesAreRefusedWithStatusTwo) {
  writeTunes("X:1\nT:One\nK:D\nD\n");
  const std::vector<std::vector<std::string>> refused{
      {"--tempo", "0"}, {"--tempo", "31"}, {"--tempo", "x"},        {"--replays", "100"},
      {"--replays", "-1"}, {"--instrument", "PIANO"}, {"--loud"}, {"--tempo"}};
  for (const std::vector<std::string>& options : refused) {
    EXPECT_TRUE(dump(options, "1").empty());
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(errors.empty());
  }
  EXPECT_TRUE(dump({}, "one").empty());
  EXPECT_EQ(status, 2);
}

TEST_F(MidiDumpTest, MissingFileIsReportedWithStatusTwo) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(runMidiDump({"/nonexistent/tunes.abc", "1"}, out, err), 2);
  EXPECT_TRUE(out.str().empty());
  EXPECT_NE(err.str().find("tunes.abc"), std::string::npos);
}

}  // namespace
}  // namespace corvale
