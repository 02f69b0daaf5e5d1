#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>

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
  fs::path path(const std::string& name) const { return fs::path(folder.path().toStdString()) / name; }
  QTemporaryDir folder;
};

// FluidSynth's file driver stands in for the desktop's audio: it is paced
// like a sound card and counts as a stream.
TEST_F(BuiltInSynthesiserStream, PreloadedPlaysShareOneStreamAndCloseAtOnce) {
  FluidSynthOutput output({{"file"}, path("heard.raw").string()});
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
  const fs::path endless = path("endless.sf2");
  ASSERT_EQ(::mkfifo(endless.c_str(), 0600), 0);
  auto* output = new FluidSynthOutput({{"file"}, path("heard.raw").string()});
  output->preload(endless);
  EXPECT_FALSE(output->ready());
  EXPECT_EQ(output->soundFont(), endless);
  const auto start = std::chrono::steady_clock::now();
  delete output;
  EXPECT_LT(millisecondsSince(start), 100.0);
}

TEST_F(BuiltInSynthesiserStream, AWavThatCannotBeWrittenIsReportedAndLeavesNothing) {
  std::string problem;
  EXPECT_FALSE(melodex::renderWav({}, kTimGM6mb, path("no-such-folder") / "out.wav", problem));
  EXPECT_NE(problem.find("cannot be written"), std::string::npos) << problem;
  EXPECT_FALSE(melodex::renderWav({}, path("missing.sf2"), path("out.wav"), problem));
  EXPECT_NE(problem.find("SoundFont"), std::string::npos) << problem;
  EXPECT_TRUE(fs::is_empty(path("")));
}

}  // namespace
