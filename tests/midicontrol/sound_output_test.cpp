#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "fluid_synth_output.h"
#include "melodex/sound_output.h"
#include "test_host.h"

using melodex::FluidSynthOutput;
namespace fs = std::filesystem;

namespace {

const fs::path kTimGM6mb = "/usr/share/sounds/sf2/TimGM6mb.sf2";

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

class ScratchFolder {
 public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("melodex-sound-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A recording output whose device -1 becomes ready only after being asked
// `readyAfter` times, as the built-in synthesiser does while it loads.
class LoadingPlatform final : public melodex::MidiPlatform {
 public:
  LoadingPlatform(const melodex::Clock& clock, int readyAfter) : recording_(clock), readyAfter_(readyAfter) {}
  int open(std::int32_t device, melodex::MidiHandle& handle) override {
    openedWhenReady = asked >= readyAfter_;
    return recording_.open(device, handle);
  }
  int close(melodex::MidiHandle handle) override { return recording_.close(handle); }
  int send(melodex::MidiHandle handle, std::int32_t word) override { return recording_.send(handle, word); }
  std::uint32_t deviceCount() override { return 0; }
  int deviceCaps(std::int32_t device, melodex::MidiDeviceCaps& caps) override {
    return recording_.deviceCaps(device, caps);
  }
  std::string lastOpenProblem() const override { return {}; }
  bool readyToOpen(std::int32_t) override { return ++asked > readyAfter_; }

  int asked = 0;
  bool openedWhenReady = false;

 private:
  melodex::RecordingPlatform recording_;
  int readyAfter_;
};

// OpenHandle on an output still loading: the window's events go on, a wait of
// over 200 ms is explained and the notice taken away, a closing window stops
// waiting. The control's look is every 5 ms.
TEST(LoadingOutput, OpenHandleWaitsWithTheWindowAliveAndExplainsALongWait) {
  struct Case {
    int readyAfter;
    bool closeDuringWait;
    std::vector<std::string> notices;
    bool openedWhenReady;
  };
  const std::vector<Case> cases = {
      {0, false, {}, true},                                   // loaded before Start
      {30, false, {}, true},                                  // 150 ms: no notice
      {100, false, {"Loading the sound\u2026", ""}, true},    // 500 ms
      {1'000'000, true, {}, false},                           // the window closes meanwhile
  };
  for (const Case& c : cases) {
    TestHost host;
    auto platform = std::make_shared<LoadingPlatform>(host.clock(), c.readyAfter);
    melodex::installPlatform(platform);
    {
      melodex::MidiControl control(host);
      int events = 0;
      for (int i = 0; i < 3; ++i) host.queueEvent([&] { ++events; });
      if (c.closeDuringWait) host.queueEvent([&] { host.closingNow = true; });
      control.OpenHandle();
      EXPECT_EQ(host.notices, c.notices) << "ready after " << c.readyAfter;
      EXPECT_EQ(platform->openedWhenReady, c.openedWhenReady) << "ready after " << c.readyAfter;
      if (c.readyAfter > 0) {
        EXPECT_EQ(events, 3);
      }
    }
    static const melodex::VirtualClock idle;
    melodex::installPlatform(std::make_shared<melodex::RecordingPlatform>(idle));
  }
}

class BuiltInSynthesiserStream : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kTimGM6mb)) GTEST_SKIP() << "TimGM6mb is not installed";
  }
  ScratchFolder folder;
};

// FluidSynth's file driver stands in for the desktop's audio: it is paced
// like a sound card and counts as a stream.
TEST_F(BuiltInSynthesiserStream, PreloadedPlaysShareOneStreamAndCloseAtOnce) {
  FluidSynthOutput output({{"file"}, (folder.path() / "heard.raw").string()});
  output.preload(kTimGM6mb);
  std::string problem;
  ASSERT_EQ(output.open(problem), melodex::kMidiOk) << problem;
  EXPECT_TRUE(output.ready());
  for (int play = 0; play < 3; ++play) {
    if (play > 0) {
      ASSERT_EQ(output.open(problem), melodex::kMidiOk) << problem;
    }
    output.send(0x00006EC7);  // program 110 on channel 8
    output.send(0x00503E97);  // a note, left sounding
    const auto closing = std::chrono::steady_clock::now();
    output.close();
    EXPECT_LT(millisecondsSince(closing), 20.0) << "play " << play;
  }
  EXPECT_EQ(output.audioStreamsStarted(), 1);
  EXPECT_EQ(output.soundFont(), kTimGM6mb);
}

// A SoundFont whose reading never ends: a named pipe nobody writes to.
TEST_F(BuiltInSynthesiserStream, GoingAwayWhileStillLoadingDoesNotWaitForTheLoad) {
  const fs::path endless = folder.path() / "endless.sf2";
  ASSERT_EQ(::mkfifo(endless.c_str(), 0600), 0);
  auto* output = new FluidSynthOutput({{"file"}, (folder.path() / "heard.raw").string()});
  output->preload(endless);
  EXPECT_FALSE(output->ready());
  EXPECT_EQ(output->soundFont(), endless);
  const auto start = std::chrono::steady_clock::now();
  delete output;
  EXPECT_LT(millisecondsSince(start), 100.0);
}

TEST_F(BuiltInSynthesiserStream, ASoundFontThatDoesNotLoadLeavesTheOneInUse) {
  FluidSynthOutput output({{}, {}});
  output.preload(kTimGM6mb);
  const fs::path notASoundFont = folder.path() / "tune.sf2";
  std::ofstream(notASoundFont) << "X:1\nT:Not a SoundFont\nK:D\n";
  for (const fs::path& bad : {notASoundFont, folder.path() / "missing.sf3"}) {
    std::string problem;
    EXPECT_FALSE(output.changeSoundFont(bad, problem));
    EXPECT_NE(problem.find(bad.string()), std::string::npos) << problem;
    EXPECT_EQ(output.soundFont(), kTimGM6mb);
  }
  const fs::path copy = folder.path() / "copy.sf2";
  fs::copy_file(kTimGM6mb, copy);
  std::string problem;
  EXPECT_TRUE(output.changeSoundFont(copy, problem)) << problem;
  EXPECT_EQ(output.soundFont(), copy);
}

// The left channel of a WAV, which must hold 16-bit stereo at 44.1 kHz.
std::vector<float> leftChannel(const fs::path& wav) {
  SF_INFO info{};
  SNDFILE* file = sf_open(wav.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    ADD_FAILURE() << sf_strerror(nullptr);
    return {};
  }
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.samplerate, 44100);
  std::vector<float> frames(static_cast<std::size_t>(info.frames) * 2);
  sf_readf_float(file, frames.data(), info.frames);
  sf_close(file);
  std::vector<float> left;
  for (std::size_t i = 0; i < frames.size(); i += 2) left.push_back(frames[i]);
  return left;
}

// The strongest repetition between 150 and 600 Hz, by autocorrelation.
double pitchOf(const std::vector<float>& samples) {
  double bestScore = -1.0;
  std::size_t bestLag = 0;
  for (std::size_t lag = 44100 / 600; lag <= 44100 / 150; ++lag) {
    double score = 0.0;
    for (std::size_t i = 0; i + lag < samples.size(); ++i) score += samples[i] * samples[i + lag];
    if (score > bestScore) {
      bestScore = score;
      bestLag = lag;
    }
  }
  return 44100.0 / static_cast<double>(bestLag);
}

// Program 110 on channel 8, then D4 from 100 ms to 600 ms.
TEST_F(BuiltInSynthesiserStream, RendersAWavOffLineAtTheWordsPitchAndTimes) {
  const fs::path wav = folder.path() / "d4.wav";
  std::string problem;
  ASSERT_TRUE(melodex::renderWav({{0, 0x00006EC7}, {100'000, 0x00503E97}, {600'000, 0x00003E87}}, kTimGM6mb, wav,
                                 problem))
      << problem;
  const std::vector<float> left = leftChannel(wav);
  ASSERT_GT(left.size(), 44100u);
  float before = 0.0f;
  for (std::size_t i = 0; i < 4000; ++i) before = std::max(before, std::abs(left[i]));
  EXPECT_LT(before, 1e-4f);
  EXPECT_NEAR(pitchOf({left.begin() + 8820, left.begin() + 8820 + 8192}), 293.7, 4.0);
  EXPECT_EQ(fs::status(wav).permissions() & fs::perms::others_read, fs::perms::others_read);
}

TEST_F(BuiltInSynthesiserStream, AWavThatCannotBeWrittenIsReportedAndLeavesNothing) {
  std::string problem;
  EXPECT_FALSE(melodex::renderWav({}, kTimGM6mb, folder.path() / "no-such-folder" / "out.wav", problem));
  EXPECT_NE(problem.find("cannot be written"), std::string::npos) << problem;
  EXPECT_FALSE(melodex::renderWav({}, folder.path() / "missing.sf2", folder.path() / "out.wav", problem));
  EXPECT_NE(problem.find("SoundFont"), std::string::npos) << problem;
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

}  // namespace
