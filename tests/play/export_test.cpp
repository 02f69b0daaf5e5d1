// Keeping a tune: `tunedump --export-midi` read back as a notation program
// would read it, `--export-wav` heard and its level measured, outputs that must
// not be written and tunes too long to keep.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "midi_file_reader.h"
#include "player/export/standard_midi_file.h"
#include "player/export/tune_facts.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;
using corvale::testing::repeated;
using corvale::testing::runDump;
using test::MidiFileRead;
using test::readMidiFile;

// Three notes, a rest, a triplet and a repeat: odd times and a replayed part;
// the second tune has chords, whose held notes only the standard reading ends.
const char* const kTune =
    "X:1\nT:Kept\nK:G\nG2 z B (3cBA d2 |: e f :|\n\n"
    "X:2\nT:Chords\nL:1/8\nK:D\n[DFA]2 B>c [Ad]4|\n";

class ExportTest : public corvale::testing::TemporaryFolder {
 protected:
  int tunedump(const std::vector<std::string>& args) {
    const corvale::testing::DumpResult result = runDump(args);
    out = result.out;
    errors = result.err;
    return result.status;
  }

  // Exports tune 1 of kept.abc to `output` with OPTION (--export-midi or --export-wav),
  // played with `play` (--standard, --tempo 30...).
  int exportTune(const std::string& option, const fs::path& output, std::vector<std::string> play = {}) {
    play.insert(play.begin(), {option, output.string()});
    play.insert(play.end(), {tuneFile.string(), "1"});
    return tunedump(play);
  }

  fs::path tuneFile = write("kept.abc", kTune);
  std::string out;
  std::string errors;
};

std::vector<std::uint32_t> wordsOf(const MidiFileRead& file) {
  std::vector<std::uint32_t> words;
  for (const auto& [tick, word] : file.words) words.push_back(word);
  return words;
}

// The ticks of the note-ons that sound (velocity above 0), in order.
std::vector<std::int64_t> noteOnTicks(const MidiFileRead& file) {
  std::vector<std::int64_t> ticks;
  for (const auto& [tick, word] : file.words) {
    if ((word & 0xF0u) == 0x90 && (word >> 16 & 0x7Fu) > 0) ticks.push_back(tick);
  }
  return ticks;
}

TEST_F(ExportTest, MidiFileHoldsTheWordsOfTheListedPlayInTheirOrder) {
  for (const auto& [options, tune] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "1"}, {{"--tempo", "30", "--replays", "1", "--instrument", "BANJO"}, "1"}, {{"--standard"}, "2"}}) {
    std::vector<std::string> listArgs{"--midi"};
    listArgs.insert(listArgs.end(), options.begin(), options.end());
    listArgs.insert(listArgs.end(), {tuneFile.string(), tune});
    ASSERT_EQ(tunedump(listArgs), 0) << errors;
    std::vector<std::uint32_t> listed;
    for (const corvale::testing::SentWord& sent : corvale::testing::sentWordsOf(out)) listed.push_back(sent.word);

    const fs::path midi = root / "kept.mid";
    std::vector<std::string> exportArgs{"--export-midi", midi.string()};
    exportArgs.insert(exportArgs.end(), listArgs.begin() + 1, listArgs.end());
    ASSERT_EQ(tunedump(exportArgs), 0) << errors;
    EXPECT_EQ(out, "");
    EXPECT_GT(listed.size(), 20u);
    const MidiFileRead file = readMidiFile(midi);
    EXPECT_TRUE(file.wellFormed);
    EXPECT_EQ(wordsOf(file), listed);
  }
}

// A tune as a notation program opens it: its name, metre, key and tempo, and its
// bars where the file's bars are.
struct GridCase {
  std::string name;
  std::vector<std::string> options;
  std::string tune;
  std::string trackName;
  std::vector<std::uint8_t> timeSignature;
  std::vector<std::uint8_t> keySignature;
  std::uint32_t microsecondsPerQuarter;
  std::vector<std::int64_t> noteOns;  // the first ones
  std::int64_t ticksPerBar;
};

TEST_F(ExportTest, MidiFileNamesTheTuneAndKeepsItsBarsOnTheBeatGrid) {
  const std::vector<GridCase> cases{
      {"jig, 6/8", {"--standard"}, "X:1\nT:Kesh Jig\nM:6/8\nL:1/8\nK:G\nGAG GAB|ABA ABd|edd gdd|edB dBA|\n",
       "Kesh Jig", {6, 3, 36, 8}, {1, 0}, 363636, {0, 240, 480, 720, 960, 1200, 1440}, 1440},
      {"reel, 4/4, triplet and broken rhythm", {"--standard", "--replays", "1"},
       "X:1\nT:Reel\nM:4/4\nL:1/8\nK:Edor\nE2BE (3EFG BE|A>B c/d/e f2 ed|\n", "Reel", {4, 2, 24, 8}, {2, 0}, 363636,
       {0, 480, 720, 960, 1120, 1280, 1440, 1680, 1920, 2280, 2400, 2520, 2640, 2880, 3360, 3600}, 1920},
      {"minor key, common time, fastest tempo", {"--standard", "--tempo", "30"},
       "X:1\nT:Air\nM:C\nL:1/4\nK:Em\nE2 G2|B4|\n", "Air", {4, 2, 24, 8}, {1, 1}, 133333, {0, 960, 1920}, 1920},
      {"classic reading, L:1/16", {"--tempo", "10"}, "X:1\nT:Hornpipe\nM:4/4\nL:1/16\nK:D\nA2B2c4 d4e4|f4f4f4f4|\n",
       "Hornpipe", {4, 2, 24, 8}, {2, 0}, 800000, {0, 240, 480, 960, 1440, 1920}, 1920},
      // The tune's Q: is the tempo kept: a dotted quarter at 100 is 0.6 s, a quarter 0.4 s.
      {"the tune's own tempo", {"--standard", "--tempo-from-tune"},
       "X:1\nT:Jig\nM:6/8\nL:1/8\nQ:3/8=100\nK:D\nDFA dAF|\n", "Jig", {6, 3, 36, 8}, {2, 0}, 400000,
       {0, 240, 480, 720, 960, 1200}, 1440},
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(c.name);
    write("kept.abc", c.tune);
    const fs::path midi = root / "grid.mid";
    ASSERT_EQ(exportTune("--export-midi", midi, c.options), 0) << errors;
    const MidiFileRead file = readMidiFile(midi);
    EXPECT_TRUE(file.wellFormed);
    EXPECT_EQ(file.ticksPerQuarter, 480);
    EXPECT_EQ(file.trackName, c.trackName);
    EXPECT_EQ(file.timeSignature, c.timeSignature);
    EXPECT_EQ(file.keySignature, c.keySignature);
    EXPECT_EQ(file.tempos, std::vector<std::uint32_t>{c.microsecondsPerQuarter});
    const std::vector<std::int64_t> ticks = noteOnTicks(file);
    ASSERT_GE(ticks.size(), c.noteOns.size());
    EXPECT_EQ(std::vector<std::int64_t>(ticks.begin(), ticks.begin() + static_cast<long>(c.noteOns.size())), c.noteOns);
    // Every pass ends on a bar line: the last note-off is at a whole number of bars.
    EXPECT_EQ(file.words.back().first % c.ticksPerBar, 0) << file.words.back().first;
  }
}

TEST_F(ExportTest, AKeyOrMetreAFileCannotWriteIsLeftOut) {
  for (const auto& [fields, meterWritten, keyWritten] : std::vector<std::tuple<std::string, bool, bool>>{
           {"M:none\nK:D =c ^g", false, false}, {"M:3/5\nK:none", false, true}, {"M:(2+3)/8\nK:Bb", true, true}}) {
    write("kept.abc", "X:1\nT:Odd\n" + fields + "\nDEF|\n");
    const fs::path midi = root / "odd.mid";
    ASSERT_EQ(exportTune("--export-midi", midi, {"--standard"}), 0) << errors;
    const MidiFileRead file = readMidiFile(midi);
    EXPECT_EQ(!file.timeSignature.empty(), meterWritten) << fields;
    EXPECT_EQ(!file.keySignature.empty(), keyWritten) << fields;
  }
}

TEST_F(ExportTest, WaitsLongerThanADeltaTimeHoldsAreSplitNeverWrapped) {
  // Three times the longest delta and more, between a note's on and off.
  const std::int64_t longest = (std::int64_t{1} << 28) - 1;
  MidiFileLayout layout;
  layout.ticksPerMicrosecond = 1;
  for (const std::int64_t wait : {longest, longest + 1, 3 * longest + 5, std::int64_t{1} << 33}) {
    const MidiFileRead file =
        test::readMidiBytes(standardMidiFile({{0, 0x00503C97}, {wait, 0x00003C87}, {wait + 10, 0x00503E97}}, layout));
    EXPECT_TRUE(file.wellFormed) << wait;
    ASSERT_EQ(file.words.size(), 3u);
    EXPECT_EQ(file.words[1].first, wait);
    EXPECT_EQ(file.words[2].first, wait + 10);
  }
  // The longest note a play can hold, through the whole export.
  write("kept.abc", "X:1\nT:Drone\nL:1/1\nK:C\nC99999|D|\n");
  const fs::path midi = root / "drone.mid";
  ASSERT_EQ(exportTune("--export-midi", midi, {"--standard"}), 0) << errors;
  const MidiFileRead file = readMidiFile(midi);
  EXPECT_TRUE(file.wellFormed);
  EXPECT_EQ(noteOnTicks(file), (std::vector<std::int64_t>{0, 99999LL * 1920}));
}

float peakOf(const fs::path& wav, sf_count_t& frames) {
  SF_INFO info{};
  SNDFILE* file = sf_open(wav.c_str(), SFM_READ, &info);
  EXPECT_NE(file, nullptr);
  if (!file) return 0;
  EXPECT_EQ(info.samplerate, 44100);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  frames = info.frames;
  std::vector<float> samples(static_cast<std::size_t>(info.frames * 2));
  sf_readf_float(file, samples.data(), info.frames);
  sf_close(file);
  float peak = 0;
  for (const float sample : samples) peak = std::max(peak, std::abs(sample));
  return peak;
}

TEST_F(ExportTest, WavPeaksOneDecibelBelowFullScaleAndSilenceStaysSilent) {
  const fs::path wav = root / "level.wav";
  for (const auto& [tune, options] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"X:1\nT:Quiet\nK:D\nD2 F2 A2|\n", {}},
           {"X:1\nT:Chords\nL:1/8\nK:D\n[DFAdfa]4 [CEGceg]4|\n", {"--standard", "--tempo", "30"}},
           {"X:1\nT:Banjo\nK:G\nGABc dedB|\n", {"--instrument", "BANJO"}}}) {
    write("kept.abc", tune);
    ASSERT_EQ(exportTune("--export-wav", wav, options), 0) << errors;
    sf_count_t frames = 0;
    const double decibels = 20 * std::log10(peakOf(wav, frames));
    EXPECT_NEAR(decibels, -1.0, 0.05) << tune;
  }
  write("kept.abc", "X:1\nT:Rests\nK:C\nz4 z4|\n");
  ASSERT_EQ(exportTune("--export-wav", wav, {"--standard"}), 0) << errors;
  sf_count_t frames = 0;
  EXPECT_LT(peakOf(wav, frames), 1e-4F);  // under -80 dB
  EXPECT_GT(frames, 44100);
}

TEST_F(ExportTest, WavIsHeardAtTheTunesPitchesAndLengths) {
  const fs::path wav = root / "kept.wav";
  write("kept.abc", "X:1\nT:Scale\nK:C\nC4 E4 G4 c4 C4|\n");
  ASSERT_EQ(exportTune("--export-wav", wav), 0) << errors;
  const std::string analyse = std::string("python3 ") + CORVALE_ANALYSER + " " + wav.string() + " 60,64,67,72,60 4,4,4,4";
  EXPECT_EQ(std::system(analyse.c_str()), 0);
  EXPECT_EQ(fs::status(wav).permissions() & fs::perms::others_read, fs::perms::others_read);
}

TEST_F(ExportTest, AnOutputThatCannotBeWrittenIsRefusedAndWhatWasThereIsLeftAsItWas) {
  const fs::path fifo = root / "fifo";
  const fs::path device = root / "null";
  const fs::path subfolder = root / "folder";
  const fs::path linkToFifo = root / "link-to-fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(subfolder);
  fs::create_symlink(fifo, linkToFifo);
  // A character device like /dev/null; making one needs the right to.
  const bool deviceMade = ::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
  std::vector<std::tuple<fs::path, int, std::string>> outputs{{fifo, 2, "not a regular file"},
                                                              {subfolder, 2, "not a regular file"},
                                                              {linkToFifo, 2, "not a regular file"},
                                                              {root / "missing" / "out", 1, "cannot be written"}};
  if (deviceMade) outputs.emplace_back(device, 2, "not a regular file");
  const std::vector<std::string> before = namesIn();
  for (const std::string option : {"--export-midi", "--export-wav"}) {
    for (const auto& [output, status, said] : outputs) {
      EXPECT_EQ(exportTune(option, output), status) << option << ' ' << output;
      EXPECT_NE(errors.find(said), std::string::npos) << errors;
    }
  }
  EXPECT_EQ(tunedump({"--export-midi", tuneFile.string(), "1"}), 2);  // no output file given
  EXPECT_EQ(namesIn(), before);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(linkToFifo));
  EXPECT_TRUE(!deviceMade || fs::is_character_file(device));
  EXPECT_TRUE(fs::is_empty(subfolder));

  // A link to a regular file writes that file and stays a link.
  const fs::path kept = root / "kept.mid";
  const fs::path linkToKept = root / "link.mid";
  write(kept, "old");
  fs::create_symlink(kept, linkToKept);
  ASSERT_EQ(exportTune("--export-midi", linkToKept), 0) << errors;
  EXPECT_TRUE(fs::is_symlink(linkToKept));
  EXPECT_TRUE(readMidiFile(kept).wellFormed);
}

TEST_F(ExportTest, ATuneTooLongToKeepIsRefusedWithItsLengthBeforeItPlays) {
  struct TooLong {
    std::string option;
    std::vector<std::string> play;
    std::string tune;
    std::string said;
  };
  const std::vector<TooLong> cases{
      // One note of 99,999,999 whole notes: years of sound.
      {"--export-wav", {"--standard"}, "X:1\nT:Endless\nK:C\nA99999999/1|\n", "a WAV export is limited to 1 h"},
      {"--export-wav", {"--standard"}, "X:1\nT:Whole\nL:1/1\nK:C\nC9999|\n", "plays for 4 h 2 min"},
      // A pass of 75 s, played 60 times.
      {"--export-wav", {"--replays", "59"}, "X:1\nT:Set\nK:D\n" + repeated("DEFG ABcd|\n", 52), "plays for 1 h 15 min"},
      {"--export-midi", {"--standard", "--replays", "99"}, "X:1\nT:Many\nK:D\n" + repeated("DEFG ABcd|\n", 300),
       "plays 240,000 notes with its replays; an export holds at most 200,000"},
  };
  for (const TooLong& c : cases) {
    write("kept.abc", c.tune);
    EXPECT_EQ(exportTune(c.option, root / "long.out", c.play), 1) << c.said;
    EXPECT_NE(errors.find(c.said), std::string::npos) << errors;
    EXPECT_NE(errors.find("nothing was written"), std::string::npos) << errors;
  }
  EXPECT_EQ(namesIn(), std::vector<std::string>{"kept.abc"});
}

TEST(ExportFileName, ATitleBecomesANameEveryFileSystemHolds) {
  const std::string longTitle = repeated("\u00E9", 150);  // 300 bytes of two-byte characters
  for (const auto& [title, name] : std::vector<std::pair<std::string, std::string>>{
           {"The Kesh", "The Kesh.mid"},
           {"AC/DC: Live? <1> \"x\" a|b\\c*", "AC_DC_ Live_ _1_ _x_ a_b_c_.mid"},
           {"Tab\there", "Tab_here.mid"},
           {"  ..Hidden.. ", "Hidden.mid"},
           {"", "tune.mid"},
           {"..", "tune.mid"},
           {longTitle, repeated("\u00E9", 100) + ".mid"}}) {
    EXPECT_EQ(fileNameForTitle(title, ".mid"), name) << title;
  }
}

}  // namespace
}  // namespace corvale
