#include <fluidsynth.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fluid_synth_output.h"
#include "melodex/sound_output.h"

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

bool render(const std::vector<TimedWord>& words, const std::filesystem::path& soundFont, const std::string& file,
            std::string& problem) {
  SynthParts parts;
  parts.settings = FluidSynthOutput::newSynthSettings();
  fluid_settings_setnum(parts.settings, "synth.sample-rate", kSampleRate);
  fluid_settings_setint(parts.settings, "audio.period-size", kBlockFrames);
  fluid_settings_setstr(parts.settings, "audio.file.name", file.c_str());
  fluid_settings_setstr(parts.settings, "audio.file.type", "wav");
  fluid_settings_setstr(parts.settings, "audio.file.format", "s16");
  parts.synth = new_fluid_synth(parts.settings);
  if (!parts.synth || fluid_synth_sfload(parts.synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    problem = "the SoundFont " + soundFont.string() + " could not be loaded";
    return false;
  }
  parts.renderer = new_fluid_file_renderer(parts.synth);
  if (!parts.renderer) {
    problem = "the sound could not be written to a file";
    return false;
  }
  std::int64_t frame = 0;
  const auto renderUntil = [&](std::int64_t target) {
    while (frame + kBlockFrames <= target) {
      if (fluid_file_renderer_process_block(parts.renderer) != FLUID_OK) return false;
      frame += kBlockFrames;
    }
    return true;
  };
  for (const TimedWord& word : words) {
    if (!renderUntil(frameAt(word.timeMicroseconds))) {
      problem = "writing the sound failed (is the disk full?)";
      return false;
    }
    FluidSynthOutput::playWord(parts.synth, word.word);
  }
  const std::int64_t end = words.empty() ? 0 : words.back().timeMicroseconds;
  if (!renderUntil(frameAt(end + kTailMicroseconds))) {
    problem = "writing the sound failed (is the disk full?)";
    return false;
  }
  return true;
}

}  // namespace

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
