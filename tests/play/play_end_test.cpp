// A play ends when its last note does: from the last note-off to the Start
// caption, through the real window on Qt's offscreen platform in real time,
// with a recording output and with the built-in synthesiser sounding into
// FluidSynth's file driver, over several plays.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "fluid_synth_output.h"
#include "melodex/clock.h"
#include "melodex/recording_platform.h"
#include "player/window/colour_button.h"
#include "player/window/form1.h"

namespace corvale {
namespace {

const melodex::SteadyClock steadyClock;

// Records every word with its time; with a synthesiser, also sounds it.
class TimedOutput final : public melodex::MidiPlatform {
 public:
  explicit TimedOutput(melodex::FluidSynthOutput* synth) : recording(steadyClock), synth_(synth) {}
  int open(std::int32_t device, melodex::MidiHandle& handle) override {
    std::string problem;
    if (synth_ && synth_->open(problem) != melodex::kMidiOk) ADD_FAILURE() << problem;
    return recording.open(device, handle);
  }
  int close(melodex::MidiHandle handle) override {
    if (synth_) synth_->close();
    return recording.close(handle);
  }
  int send(melodex::MidiHandle handle, std::int32_t word) override {
    if (synth_) synth_->send(word);
    return recording.send(handle, word);
  }
  std::uint32_t deviceCount() override { return 0; }
  int deviceCaps(std::int32_t device, melodex::MidiDeviceCaps& caps) override {
    return recording.deviceCaps(device, caps);
  }
  std::string lastOpenProblem() const override { return {}; }

  melodex::RecordingPlatform recording;

 private:
  melodex::FluidSynthOutput* synth_;
};

std::int64_t lastNoteOffMicroseconds(const melodex::RecordingPlatform& recording) {
  std::int64_t last = 0;
  for (const melodex::RecordedCall& call : recording.calls()) {
    if (call.kind == melodex::RecordedCall::Kind::Send && (call.word & 0xF0) == 0x80) last = call.timeMicroseconds;
  }
  return last;
}

TEST(PlayEnd, TheStartCaptionFollowsTheLastNoteOffWithAndWithoutTheBuiltInSynthesiser) {
  QTemporaryDir folder;
  std::ofstream(folder.filePath("tunes.abc").toStdString()) << "X:1\nT:Three notes\nK:D\nDFA\n";
  const std::filesystem::path soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  melodex::FluidSynthOutput synth({{"file"}, folder.filePath("heard.raw").toStdString()});
  const bool haveSoundFont = std::filesystem::exists(soundFont);
  if (haveSoundFont) synth.preload(soundFont);

  for (const bool withSynth : {false, true}) {
    if (withSynth && !haveSoundFont) continue;
    auto output = std::make_shared<TimedOutput>(withSynth ? &synth : nullptr);
    melodex::installPlatform(output);
    Form1 form;
    form.Dir1_Change(folder.path());
    form.HScroll2()->setValue(30);
    std::vector<std::int64_t> endings;  // from the last note-off to the Start caption, per play
    int plays = 0;
    bool playing = false;
    QTimer driver;
    driver.setInterval(0);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      const bool waiting = form.runCaption() == kStartCaption;
      if (playing && waiting) {
        playing = false;
        endings.push_back(steadyClock.nowMicroseconds() - lastNoteOffMicroseconds(output->recording));
      }
      if (!waiting || playing) return;
      if (plays == 3) {
        form.close();
        return;
      }
      ++plays;
      playing = true;
      form.List1()->setCurrentRow(0);
      form.Command1_Click();
    });
    driver.start();
    form.File1_Click(QStringLiteral("tunes.abc"));
    ASSERT_EQ(endings.size(), 3u);
    for (std::size_t play = 0; play < endings.size(); ++play) {
      EXPECT_LT(endings[play], 20'000) << (withSynth ? "with" : "without") << " the synthesiser, play " << play + 1;
    }
  }
  EXPECT_EQ(synth.audioStreamsStarted(), haveSoundFont ? 1 : 0);
  static const melodex::VirtualClock idle;
  melodex::installPlatform(std::make_shared<melodex::RecordingPlatform>(idle));
}

}  // namespace
}  // namespace corvale
