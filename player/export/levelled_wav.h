#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "melodex/sound_output.h"
#include "player/export/wav_out.h"

namespace corvale {

// Where the sound of a play comes from: the built-in synthesiser's off-line
// render, or a stand-in in tests. Hands the sound to the sink block by block; false
// with `problem` when it cannot, or when the sink ended it.
using SoundSource = std::function<bool(const std::vector<melodex::TimedWord>& words,
                                       const melodex::SoundBlockSink& sink, std::string& problem)>;

// The built-in synthesiser's sound with `soundFont`.
SoundSource synthesiserSound(const std::filesystem::path& soundFont);

// What a long piece of work is told and tells: a flag that asks it to stop (set
// from another thread or a signal handler), and how far it has got, 0 to 1.
struct WorkControl {
  const std::atomic<bool>* stop = nullptr;
  std::function<void(double done)> progress;

  bool stopAsked() const { return stop && stop->load(std::memory_order_relaxed); }
};

// The peak level a kept WAV is brought to, in dB below full scale.
inline constexpr double kWavPeakDecibels = -1.0;

// A kept WAV is made in two passes of the same sound: the first finds its
// loudest sample, the second writes it at the gain that puts that sample at
// kWavPeakDecibels (silence, under -90 dB, stays as it is, and no sound is raised
// by more than 60 dB). Both throw ExportError: Stopped when the control asks, Failed when the
// sound cannot be made or written; each reports half of the progress.
float soundPeak(const std::vector<melodex::TimedWord>& words, const SoundSource& source, const WorkControl& control);
void writeSoundAtPeak(const std::vector<melodex::TimedWord>& words, const SoundSource& source, float peak,
                      WavOut& out, const WorkControl& control);

}  // namespace corvale
