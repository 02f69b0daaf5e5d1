#include "player/export/levelled_wav.h"

#include <algorithm>
#include <cmath>

#include "player/export/export_error.h"

namespace corvale {
namespace {

constexpr float kMostGain = 1000.0F;  // 60 dB
// Below this (-90 dB) a sound is the synthesiser's silence, not music to raise.
constexpr float kSilence = 3.2e-5F;

[[noreturn]] void stopped() { throw ExportError(ExportEnd::Stopped, "the export was stopped"); }

// One pass of the sound through `takeBlock`, reporting progress from `from` to
// `from` + half; takeBlock returns false when the sound could not be written.
void makeSound(const std::vector<melodex::TimedWord>& words, const SoundSource& source, const WorkControl& control,
               double from, const std::function<bool(const float*, int)>& takeBlock) {
  const double total = static_cast<double>(std::max<std::int64_t>(1, melodex::renderedFrames(words)));
  std::int64_t frames = 0;
  std::int64_t lastReport = 0;
  std::string problem;
  bool taken = true;
  const bool made = source(
      words,
      [&](const float* block, int count) {
        if (control.stopAsked()) return false;
        taken = takeBlock(block, count);
        if (!taken) return false;
        frames += count;
        if (control.progress && frames - lastReport >= WavOut::kSampleRate) {
          lastReport = frames;
          control.progress(from + std::min(1.0, static_cast<double>(frames) / total) / 2);
        }
        return true;
      },
      problem);
  if (control.stopAsked()) stopped();
  if (!taken) throw ExportError(ExportEnd::Failed, "writing the sound failed (is the disk full?)");
  if (!made) throw ExportError(ExportEnd::Failed, problem);
}

}  // namespace

SoundSource synthesiserSound(const std::filesystem::path& soundFont) {
  return [soundFont](const std::vector<melodex::TimedWord>& words, const melodex::SoundBlockSink& sink,
                     std::string& problem) { return melodex::renderSound(words, soundFont, sink, problem); };
}

float soundPeak(const std::vector<melodex::TimedWord>& words, const SoundSource& source, const WorkControl& control) {
  float peak = 0;
  makeSound(words, source, control, 0, [&](const float* block, int frames) {
    for (int i = 0; i < 2 * frames; ++i) peak = std::max(peak, std::abs(block[i]));
    return true;
  });
  return peak;
}

void writeSoundAtPeak(const std::vector<melodex::TimedWord>& words, const SoundSource& source, float peak,
                      WavOut& out, const WorkControl& control) {
  const auto target = static_cast<float>(std::pow(10.0, kWavPeakDecibels / 20));
  const float gain = peak > kSilence ? std::min(kMostGain, target / peak) : 1.0F;
  makeSound(words, source, control, 0.5,
            [&](const float* block, int frames) { return out.write(block, frames, gain); });
  if (!out.finish()) throw ExportError(ExportEnd::Failed, "writing the sound failed (is the disk full?)");
}

}  // namespace corvale
