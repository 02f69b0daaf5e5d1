// Keeping a tune: `tunedump --export-midi` read back against `--midi`,
// `--export-wav` heard by the hearing test's analyser, and files that cannot
// be written.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// The channel messages of a type 0 file as words at their tick (1 ms) times, as
// abcmidi's mftext reads the file: a reader that owes nothing to the writer.
TimedWords readStandardMidiFile(const fs::path& path) {
  const std::string text = path.string() + ".txt";
  EXPECT_EQ(std::system(("mftext '" + path.string() + "' > '" + text + "'").c_str()), 0);
  std::ifstream in(text);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "Header format=0 ntrks=1 division=1000");
  TimedWords words;
  while (std::getline(in, line)) {
    long tick = 0;
    char kind[16] = {};
    unsigned channel = 0, data1 = 0, data2 = 0;
    const char* const note = "Time=%ld Note %3[ofn], chan=%u pitch=%u vol=%u";
    if (std::sscanf(line.c_str(), note, &tick, kind, &channel, &data1, &data2) == 5) {
      const std::uint32_t status = std::string(kind) == "on" ? 0x90u : 0x80u;
      words.emplace_back(tick, status + channel - 1 + (data1 << 8) + (data2 << 16));
    } else if (std::sscanf(line.c_str(), "Time=%ld Program, chan=%u program=%u", &tick, &channel, &data1) == 3) {
      words.emplace_back(tick, 0xC0u + channel - 1 + (data1 << 8));
    }
  }
  fs::remove(text);
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
  EXPECT_EQ(fs::status(wav).permissions() & fs::perms::others_read, fs::perms::others_read);
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
