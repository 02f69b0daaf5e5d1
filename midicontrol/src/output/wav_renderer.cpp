#include <fluidsynth.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fluid_synth_output.h"
#include "melodex/sound_output.h"
#include "synth_word.h"

namespace melodex {

namespace {

constexpr int kSampleRate = 44100;
// Words take effect at the start of a block: 64 frames keeps them within 1.5 ms.
constexpr int kBlockFrames = 64;
// The last note's release rings on this long after the last word.
constexpr std::int64_t kTailMicroseconds = 1500000;

struct SynthParts {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_file_renderer_t* renderer = nullptr;
  ~SynthParts() {
    // The renderer writes the file's header as it goes away.
    if (renderer) delete_fluid_file_renderer(renderer);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

std::int64_t frameAt(std::int64_t microseconds) { return microseconds * kSampleRate / 1000000; }

// Plays the words into `synth` at their times, one block of kBlockFrames frames
// after another through `processBlock`, which renders a block and says whether
// to go on, until the last note's release has rung.
template <typename ProcessBlock>
bool playThrough(fluid_synth_t* synth, const std::vector<TimedWord>& words, const ProcessBlock& processBlock) {
  std::int64_t frame = 0;
  const auto renderUntil = [&](std::int64_t target) {
    while (frame + kBlockFrames <= target) {
      if (!processBlock()) return false;
      frame += kBlockFrames;
    }
    return true;
  };
  for (const TimedWord& word : words) {
    if (!renderUntil(frameAt(word.timeMicroseconds))) return false;
    playSynthWord(synth, word.word);
  }
  return renderUntil(renderedFrames(words));
}

// The synthesiser of an off-line render with `soundFont` loaded, set to write
// `fileName` through a file renderer when one is given.
bool makeSynth(SynthParts& parts, const std::filesystem::path& soundFont, const std::string* fileName,
               std::string& problem) {
  parts.settings = FluidSynthOutput::newSynthSettings();
  fluid_settings_setnum(parts.settings, "synth.sample-rate", kSampleRate);
  fluid_settings_setint(parts.settings, "audio.period-size", kBlockFrames);
  if (fileName) {
    fluid_settings_setstr(parts.settings, "audio.file.name", fileName->c_str());
    fluid_settings_setstr(parts.settings, "audio.file.type", "wav");
    fluid_settings_setstr(parts.settings, "audio.file.format", "s16");
  }
  parts.synth = new_fluid_synth(parts.settings);
  if (!parts.synth || fluid_synth_sfload(parts.synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    problem = "the SoundFont " + soundFont.string() + " could not be loaded";
    return false;
  }
  return true;
}

bool render(const std::vector<TimedWord>& words, const std::filesystem::path& soundFont, const std::string& file,
            std::string& problem) {
  SynthParts parts;
  if (!makeSynth(parts, soundFont, &file, problem)) return false;
  parts.renderer = new_fluid_file_renderer(parts.synth);
  if (!parts.renderer) {
    problem = "the sound could not be written to a file";
    return false;
  }
  if (!playThrough(parts.synth, words,
                   [&] { return fluid_file_renderer_process_block(parts.renderer) == FLUID_OK; })) {
    problem = "writing the sound failed (is the disk full?)";
    return false;
  }
  return true;
}

}  // namespace

std::int64_t renderedFrames(const std::vector<TimedWord>& words) {
  return frameAt((words.empty() ? 0 : words.back().timeMicroseconds) + kTailMicroseconds);
}

bool renderSound(const std::vector<TimedWord>& words, const std::filesystem::path& soundFont,
                 const SoundBlockSink& takeBlock, std::string& problem) {
  SynthParts parts;
  if (!makeSynth(parts, soundFont, nullptr, problem)) return false;
  float block[2 * kBlockFrames];
  if (!playThrough(parts.synth, words, [&] {
        return fluid_synth_write_float(parts.synth, kBlockFrames, block, 0, 2, block, 1, 2) == FLUID_OK &&
               takeBlock(block, kBlockFrames);
      })) {
    problem = "the rendering of the sound was ended before its end";
    return false;
  }
  return true;
}

// The sound is written to a hidden file beside the wanted one, which takes
// its place only when whole: a failure leaves nothing half-written.
bool renderWav(const std::vector<TimedWord>& words, const std::filesystem::path& soundFont,
               const std::filesystem::path& wavPath, std::string& problem) {
  const std::filesystem::path folder = wavPath.has_parent_path() ? wavPath.parent_path() : ".";
  std::string partial = (folder / ("." + wavPath.filename().string() + ".XXXXXX")).string();
  const int descriptor = mkstemp(partial.data());
  if (descriptor < 0) {
    problem = wavPath.string() + " cannot be written: " + std::strerror(errno);
    return false;
  }
  // A temporary file is private to its maker; the WAV gets the usual rights.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
  ::close(descriptor);
  if (!render(words, soundFont, partial, problem)) {
    std::filesystem::remove(partial);
    return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, wavPath, error);
  if (error) {
    std::filesystem::remove(partial);
    problem = wavPath.string() + " cannot be written: " + error.message();
    return false;
  }
  return true;
}

}  // namespace melodex
