#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <vector>

#include "fluid_synth_output.h"
#include "sample_clock.h"
#include "stamped_stream.h"

using melodex::SampleClock;
using melodex::StampedStream;

namespace {

constexpr double kRate = 44100.0;
constexpr std::int64_t kAnchor = 7'000'000'000;  // the moment of frame 0
constexpr std::int64_t kPeriodFrames = 441;       // 10 ms

// Callbacks come late by various amounts and never early; the anchor is the
// least the recent ones imply. A stall forgets what came before it, and so
// does time: an on-time callback counts for two seconds.
TEST(SampleClock, AnchorIsTheLeastLatenessOfRecentCallbacks) {
  struct Case {
    std::int64_t period;    // which period the callback starts
    std::int64_t lateness;  // after the moment the period's first frame sounds
    std::int64_t anchorAfter;
  };
  const std::vector<Case> cases = {
      {0, 3'000, 3'000}, {1, 700, 700}, {2, 4'000, 700}, {3, 0, 0}, {4, 2'500, 0},
      {30, 1'200, 1'200},  // 250 ms without a callback: a stall
      {31, 900, 900},    {32, 2'000, 900},
  };
  SampleClock clock(kRate);
  const auto observe = [&](std::int64_t period, std::int64_t lateness) {
    clock.observe(kAnchor + period * 10'000 + lateness, period * kPeriodFrames);
  };
  for (const Case& c : cases) {
    observe(c.period, c.lateness);
    EXPECT_DOUBLE_EQ(clock.anchorMicroseconds(), kAnchor + c.anchorAfter) << "period " << c.period;
  }
  for (std::int64_t period = 33; period < 240; ++period) {
    observe(period, 1'500);
    EXPECT_DOUBLE_EQ(clock.anchorMicroseconds(), kAnchor + (period < 231 ? 900 : 1'500)) << "period " << period;
  }
}

TEST(SampleClock, MapsTimesToTheNearestFrame) {
  SampleClock clock(kRate);
  EXPECT_FALSE(clock.anchored());
  clock.observe(kAnchor + 1'000'000, 44'100);
  ASSERT_TRUE(clock.anchored());
  for (const auto& [time, frame] : std::vector<std::pair<std::int64_t, std::int64_t>>{
           {0, 0}, {10'000, 441}, {11, 0}, {12, 1}, {1'000'000, 44'100}, {3'600'000'000, 158'760'000}, {-10'000, -441}}) {
    EXPECT_EQ(clock.frameAt(kAnchor + time), frame) << time;
  }
}

// The built-in synthesiser as the audio thread drives it, its clock and
// callbacks the test's own: periods of 768 frames called back up to 3 ms
// late, banjo notes sent up to 4 ms after their times.
class StampedRender : public ::testing::Test {
 protected:
  static constexpr int kPeriod = 768;
  static constexpr std::int64_t kDelay = 22'000;

  void SetUp() override {
    const std::filesystem::path font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!std::filesystem::exists(font)) GTEST_SKIP() << "TimGM6mb is not installed";
    settings_ = melodex::FluidSynthOutput::newSynthSettings();
    // A note's sound ends with its voice: no room tail to hide an onset.
    fluid_settings_setint(settings_, "synth.reverb.active", 0);
    synth_ = new_fluid_synth(settings_);
    ASSERT_NE(fluid_synth_sfload(synth_, font.c_str(), 1), FLUID_FAILED);
    stream_ = std::make_unique<StampedStream>(synth_, kRate, kDelay);
  }
  void TearDown() override {
    stream_.reset();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
  }

  // One callback, `lateness` after its first frame's moment.
  void renderPeriod(std::int64_t lateness) {
    const std::int64_t frame = static_cast<std::int64_t>(left.size());
    std::vector<float> right(kPeriod);
    left.resize(left.size() + kPeriod);
    float* out[] = {left.data() + frame, right.data()};
    stream_->render(momentOf(frame) + lateness, kPeriod, 0, nullptr, 2, out);
  }
  static std::int64_t momentOf(std::int64_t frame) {
    return kAnchor + static_cast<std::int64_t>(std::llround(static_cast<double>(frame) * 1e6 / kRate));
  }
  // The first sound at or after `from`.
  std::int64_t onsetFrom(std::int64_t from) const {
    for (auto frame = static_cast<std::size_t>(from); frame < left.size(); ++frame) {
      if (left[frame] != 0.0f) return static_cast<std::int64_t>(frame);
    }
    return -1;
  }

  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  std::unique_ptr<StampedStream> stream_;
  std::vector<float> left;
};

TEST_F(StampedRender, EveryNoteSoundsWithin64FramesOfItsTimeWhateverTheJitter) {
  struct Send {
    std::int64_t sentAt;
    std::int32_t word;
    std::int64_t at;
  };
  std::mt19937 random(1);
  std::uniform_int_distribution<std::int64_t> sendLateness(0, 4'000);
  std::uniform_int_distribution<std::int64_t> callbackLateness(0, 3'000);
  std::vector<Send> sends{{kAnchor, 0x0069C0, kAnchor}};  // banjo
  std::vector<std::int64_t> noteTimes;
  for (int note = 0; note < 16; ++note) {
    const std::int64_t at = kAnchor + 100'000 + note * 250'000;
    noteTimes.push_back(at);
    sends.push_back({at + sendLateness(random), 0x643E90, at});  // note-on, 62
    sends.push_back({at + 120'000 + sendLateness(random), 0x3E80, at + 120'000});
    sends.push_back({at + 200'000 + sendLateness(random), 0x0078B0, at + 200'000});  // all sound off: silence again
  }
  std::size_t next = 0;
  while (left.size() < static_cast<std::size_t>((noteTimes.back() + 300'000 - kAnchor) * kRate / 1e6)) {
    const std::int64_t lateness = left.size() % (kPeriod * 5) == 0 ? 0 : callbackLateness(random);
    const std::int64_t callbackAt = momentOf(static_cast<std::int64_t>(left.size())) + lateness;
    for (; next < sends.size() && sends[next].sentAt <= callbackAt; ++next) stream_->post(sends[next].word, sends[next].at);
    renderPeriod(lateness);
  }
  std::vector<std::int64_t> late;  // frames after the frame of the note's time
  for (const std::int64_t at : noteTimes) {
    const std::int64_t due = std::llround(static_cast<double>(at + kDelay - kAnchor) * kRate / 1e6);
    late.push_back(onsetFrom(due - kPeriod) - due);
  }
  const auto [earliest, latest] = std::minmax_element(late.begin(), late.end());
  EXPECT_GE(*earliest, 0);
  EXPECT_LT(*latest, 64);  // FluidSynth takes a word at its next 64-frame block
}

// A close with notes still to sound: nothing of them is heard, no voice is
// left, and a play opened at once sounds in full.
TEST_F(StampedRender, SilenceDropsWhatIsStillToComeAndLeavesTheNextPlayWhole) {
  renderPeriod(0);
  stream_->post(0x0069C0, kAnchor);
  stream_->post(0x643E90, momentOf(kPeriod));
  renderPeriod(0);
  renderPeriod(0);  // sounding now
  stream_->post(0x3E80, momentOf(3 * kPeriod));
  stream_->post(0x644090, momentOf(3 * kPeriod));
  stream_->silence();
  const auto closedAt = static_cast<std::int64_t>(left.size());
  for (int period = 0; period < 20; ++period) renderPeriod(0);
  EXPECT_EQ(onsetFrom(closedAt), -1);
  EXPECT_EQ(fluid_synth_get_active_voice_count(synth_), 0);
  stream_->post(0x643E90, momentOf(static_cast<std::int64_t>(left.size())) - 1'000'000);  // long past: at once
  renderPeriod(0);
  EXPECT_GT(fluid_synth_get_active_voice_count(synth_), 0);
  EXPECT_GE(onsetFrom(static_cast<std::int64_t>(left.size()) - kPeriod), 0);
}

}  // namespace
