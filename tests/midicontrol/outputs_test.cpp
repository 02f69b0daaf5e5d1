#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "alsa_port_output.h"
#include "fluid_synth_output.h"

using melodex::AlsaPortOutput;
using melodex::FluidSynthOutput;
using Bytes = std::vector<unsigned char>;

namespace {

constexpr double kSampleRate = 44100.0;

// Strongest repetition period between 150 and 600 Hz, by autocorrelation.
double estimatePitch(const std::vector<float>& samples) {
  const auto shortestLag = static_cast<std::size_t>(kSampleRate / 600.0);
  const auto longestLag = static_cast<std::size_t>(kSampleRate / 150.0);
  double bestScore = -1.0;
  std::size_t bestLag = 0;
  for (std::size_t lag = shortestLag; lag <= longestLag; ++lag) {
    double score = 0.0;
    for (std::size_t i = 0; i + lag < samples.size(); ++i) score += samples[i] * samples[i + lag];
    if (score > bestScore) {
      bestScore = score;
      bestLag = lag;
    }
  }
  return kSampleRate / static_cast<double>(bestLag);
}

TEST(BuiltInSynthesiser, FiddleOnChannelEightPlaysD4) {
  const auto soundFont = FluidSynthOutput::findSoundFont({"/usr/share/sounds/sf2"});
  if (!soundFont || !std::filesystem::exists("/usr/share/sounds/sf2/TimGM6mb.sf2")) {
    GTEST_SKIP() << "TimGM6mb is not installed";
  }
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fluid_synth_t* synth = new_fluid_synth(settings);
  ASSERT_NE(fluid_synth_sfload(synth, "/usr/share/sounds/sf2/TimGM6mb.sf2", 1), FLUID_FAILED);

  FluidSynthOutput::playWord(synth, 0x00006EC7);  // program 110 on channel 8
  FluidSynthOutput::playWord(synth, 0x00503E97);  // note 62, velocity 80
  std::vector<float> left(static_cast<std::size_t>(kSampleRate)), right(left.size());
  ASSERT_EQ(fluid_synth_write_float(synth, static_cast<int>(left.size()), left.data(), 0, 1, right.data(), 0, 1),
            FLUID_OK);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);

  std::vector<float> steady(left.begin() + 8820, left.begin() + 30870);  // 0.2 s to 0.7 s
  double energy = 0.0;
  for (float sample : steady) energy += sample * sample;
  const double rms = std::sqrt(energy / static_cast<double>(steady.size()));
  EXPECT_GT(rms, 1e-3);
  EXPECT_NEAR(estimatePitch(steady), 293.66, 293.66 * 0.03);
}

TEST(BuiltInSynthesiser, PrefersTheBestGeneralMidiSoundFont) {
  const auto folder = std::filesystem::temp_directory_path() / ("melodex-sf-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "sf3");
  for (const auto* font : {"TimGM6mb.sf2", "sf3/MuseScore_General.sf3", "sf3/FluidR3_GM.sf2"}) {
    std::ofstream(folder / font) << "x";
    EXPECT_EQ(FluidSynthOutput::findSoundFont({folder, folder / "sf3"}), folder / font);
  }
  EXPECT_EQ(FluidSynthOutput::findSoundFont({folder / "none"}), std::nullopt);
  std::filesystem::remove_all(folder);
}

// A port reads every byte of 128 or more as a status byte, so a word whose
// data spilled over must not reach it as a different message.
TEST(SequencerPort, TakesEachWordWholeWithItsOwnLengthOrNotAtAll) {
  const std::vector<std::pair<std::int32_t, Bytes>> cases = {
      {0x00503C97, {0x97, 0x3C, 0x50}},  // note-on
      {0x00006EC7, {0xC7, 0x6E}},        // program change: one data byte
      {0x000100C0, {0xC0, 0x00}},        // the spill past it is not sent
      {0x00403C90 + 0x80 * 256, {}},     // note 188: 0xBC would start a control change
      {0x00C82C90, {}},                  // velocity 200
      {0x12345678, {}},                  // no status byte
      {0x000000F0, {}},                  // system exclusive
      {0x00000AF3, {0xF3, 0x0A}},        // song select
      {0x000000F8, {0xF8}},              // clock
  };
  for (const auto& [word, bytes] : cases) EXPECT_EQ(AlsaPortOutput::messageBytes(word), bytes) << std::hex << word;
}

}  // namespace
