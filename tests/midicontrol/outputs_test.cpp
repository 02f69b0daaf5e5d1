#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <vector>

#include "alsa_port_output.h"
#include "fluid_synth_output.h"

using melodex::AlsaPortOutput;
using melodex::FluidSynthOutput;
using Bytes = std::vector<unsigned char>;

namespace {

TEST(BuiltInSynthesiser, PrefersTheBestGeneralMidiSoundFont) {
  const QTemporaryDir temporary;
  const std::filesystem::path folder = temporary.path().toStdString();
  std::filesystem::create_directories(folder / "sf3");
  for (const auto* font : {"TimGM6mb.sf2", "sf3/MuseScore_General.sf3", "sf3/FluidR3_GM.sf2"}) {
    std::ofstream(folder / font) << "x";
    EXPECT_EQ(FluidSynthOutput::findSoundFont({folder, folder / "sf3"}), folder / font);
  }
  EXPECT_EQ(FluidSynthOutput::findSoundFont({folder / "none"}), std::nullopt);
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
