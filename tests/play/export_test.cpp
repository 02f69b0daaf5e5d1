// Keeping a tune: `tunedump --export-midi` read back against `--midi`,
// `--export-wav` heard by the hearing test's analyser, and files that cannot
// be written.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tune_dump.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

// Three notes, a rest, a triplet and a repeat: odd times and a replayed part;
// the second tune has chords, whose held notes only the standard reading ends.
const char* const kTune =
    "X:1\nT:Kept\nK:G\nG2 z B (3cBA d2 |: e f :|\n\n"
    "X:2\nT:Chords\nL:1/8\nK:D\n[DFA]2 B>c [Ad]4|\n";

using TimedWords = std::vector<std::pair<long, std::uint32_t>>;

std::uint32_t bigEndian(const std::string& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The channel messages of a type 0 file as words, at their tick (1 ms) times.
TimedWords readStandardMidiFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TimedWords words;
  EXPECT_EQ(bytes.substr(0, 4), "MThd");
  EXPECT_EQ(bigEndian(bytes, 8, 2), 0u);  // type 0
  EXPECT_EQ(bigEndian(bytes, 10, 2), 1u);
  EXPECT_EQ(bytes.substr(14, 4), "MTrk");
  const std::size_t end = 22 + bigEndian(bytes, 18, 4);
  EXPECT_EQ(end, bytes.size());
  std::size_t at = 22;
  long tick = 0;
  while (at < end) {
    std::uint32_t delta = 0;
    unsigned char byte = 0;
    do {
      byte = static_cast<unsigned char>(bytes[at++]);
      delta = delta << 7 | (byte & 0x7Fu);
    } while (byte & 0x80u);
    tick += static_cast<long>(delta);
    const auto status = static_cast<unsigned char>(bytes[at]);
    if (status == 0xFF) {
      at += 3 + static_cast<unsigned char>(bytes[at + 2]);
      continue;
    }
    const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
    std::uint32_t word = status;
    for (int i = 1; i <= dataBytes; ++i) word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    words.emplace_back(tick, word);
    at += 1 + dataBytes;
  }
  return words;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder);
    std::ofstream(tuneFile) << kTune;
  }
  void TearDown() override { fs::remove_all(folder); }

  int tunedump(std::vector<std::string> args) {
    std::ostringstream err;
    out.str("");
    const int status = runTuneDump(args, out, err);
    errors = err.str();
    return status;
  }

  fs::path folder = fs::temp_directory_path() / ("corvale-export-" + std::to_string(::getpid()));
  fs::path tuneFile = folder / "kept.abc";
  std::ostringstream out;
  std::string errors;
};

TEST_F(ExportTest, MidiFileHoldsTheWordsAndTimesOfTheListedPlay) {
  for (const auto& [options, tune] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "1"}, {{"--tempo", "30", "--replays", "1", "--instrument", "BANJO"}, "1"}, {{"--standard"}, "2"}}) {
    std::vector<std::string> listArgs{"--midi"};
    listArgs.insert(listArgs.end(), options.begin(), options.end());
    listArgs.insert(listArgs.end(), {tuneFile.string(), tune});
    ASSERT_EQ(tunedump(listArgs), 0) << errors;
    TimedWords listed;
    std::istringstream lines(out.str());
    std::string tag;
    long ms = 0;
    std::string word;
    while (lines >> tag >> ms >> word) listed.emplace_back(ms, static_cast<std::uint32_t>(std::stoul(word, nullptr, 16)));

    const fs::path midi = folder / "kept.mid";
    std::vector<std::string> exportArgs{"--export-midi", midi.string()};
    exportArgs.insert(exportArgs.end(), listArgs.begin() + 1, listArgs.end());
    ASSERT_EQ(tunedump(exportArgs), 0) << errors;
    EXPECT_EQ(out.str(), "");
    EXPECT_GT(listed.size(), 20u);
    EXPECT_EQ(readStandardMidiFile(midi), listed);
    if (options == std::vector<std::string>{"--standard"}) {
      // The reading reaches the export: the classic reading plays this tune otherwise.
      ASSERT_EQ(tunedump({"--export-midi", midi.string(), tuneFile.string(), tune}), 0) << errors;
      EXPECT_NE(readStandardMidiFile(midi), listed);
    }
  }
}

TEST_F(ExportTest, WavIsHeardAtTheTunesPitchesAndLengths) {
  const fs::path wav = folder / "kept.wav";
  ASSERT_EQ(tunedump({"--export-wav", wav.string(), tuneFile.string(), "1"}), 0) << errors;
  std::ofstream(tuneFile) << "X:1\nT:Scale\nK:C\nC4 E4 G4 c4 C4|\n";
  ASSERT_EQ(tunedump({"--export-wav", wav.string(), tuneFile.string(), "1"}), 0) << errors;
  const std::string analyse = std::string("python3 ") + CORVALE_ANALYSER + " " + wav.string() + " 60,64,67,72,60 4,4,4,4";
  EXPECT_EQ(std::system(analyse.c_str()), 0);
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
  const fs::path existing = folder / "before.mid";
  std::ofstream(existing) << "kept as it was";
  for (const std::string option : {"--export-midi", "--export-wav"}) {
    for (const fs::path& target : {folder / "missing" / "out", folder}) {
      EXPECT_EQ(tunedump({option, target.string(), tuneFile.string(), "1"}), 1) << option << ' ' << target;
      EXPECT_NE(errors.find("cannot be written"), std::string::npos) << errors;
    }
  }
  EXPECT_EQ(tunedump({"--export-midi", tuneFile.string(), "1"}), 2);  // no output file given
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"before.mid", "kept.abc"}));
}

}  // namespace
}  // namespace corvale
