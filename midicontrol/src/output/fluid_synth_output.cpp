#include "fluid_synth_output.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <mutex>

#include "melodex/clock.h"
#include "melodex/midi_platform.h"
#include "stamped_stream.h"
#include "synth_word.h"

namespace melodex {

namespace {

// FluidSynth's default gain of 0.2 is far quieter than other desktop sound.
constexpr double kGain = 0.8;
// One melody line: a note, the release of the one before and the layers of
// each; FluidSynth's 256 voices are never needed.
constexpr int kPolyphony = 32;
// The audio stream is fed in periods of 768 frames (17.4 ms), three of them
// queued. Measured through PulseAudio on these machines at TEMPO 30, whole
// process: FluidSynth's 64 x 16 costs about 19 % of a core, nearly all in the
// audio client's threads, and drops out; 256 x 2 costs 8 % and drops out;
// 512 x 3 about 5.5 %; 768 x 3 about 3.6 % with no drop-out, a Start heard
// 25 to 40 ms after the click; 1024 x 2 about 3 % but 35 to 50 ms.
constexpr int kPeriodFrames = 768;
constexpr int kPeriods = 3;
// A word is heard one period after its time, plus this for the window's
// thread sending it a little late (its wake-ups, a busy machine): a word that
// comes later than this still plays, at once.
constexpr std::int64_t kLateSendMarginMicroseconds = 5000;
// A period rendered is not yet heard: the audio server holds about one more
// period of the stream before it plays (measured from a recording through
// PulseAudio here: a word's frame heard 15 ms after it was rendered, the period
// being 17.4 ms). The window shows a note that much later too.
constexpr int kQueuedPeriods = 1;

// FluidSynth reports its failures through a log; the last one becomes part
// of the reason an open failed instead of noise on the terminal. Loading runs
// on a worker thread, so the message is guarded.
std::mutex& synthMessageLock() {
  static std::mutex lock;
  return lock;
}

std::string& lastSynthMessage() {
  static std::string message;
  return message;
}

std::string takeSynthMessage() {
  const std::lock_guard<std::mutex> hold(synthMessageLock());
  std::string message;
  message.swap(lastSynthMessage());
  return message;
}

void keepSynthMessage(int, const char* message, void*) {
  const std::lock_guard<std::mutex> hold(synthMessageLock());
  lastSynthMessage() = message ? message : "";
}
void dropSynthMessage(int, const char*, void*) {}

void routeSynthLog() {
  static std::once_flag routed;
  std::call_once(routed, [] {
    fluid_set_log_function(FLUID_PANIC, keepSynthMessage, nullptr);
    fluid_set_log_function(FLUID_ERR, keepSynthMessage, nullptr);
    fluid_set_log_function(FLUID_WARN, dropSynthMessage, nullptr);
    fluid_set_log_function(FLUID_INFO, dropSynthMessage, nullptr);
    fluid_set_log_function(FLUID_DBG, dropSynthMessage, nullptr);
  });
}

std::int64_t steadyNow() { return SteadyClock().nowMicroseconds(); }

// The audio driver's callback: the stream rendered with every word in place.
int renderStamped(void* stream, int frames, int nfx, float* fx[], int nout, float* out[]) {
  static_cast<StampedStream*>(stream)->render(steadyNow(), frames, nfx, fx, nout, out);
  return FLUID_OK;
}

}  // namespace

// Everything a load builds. It lives on the heap so that a loading thread
// still running when the output goes away keeps valid memory to finish in.
struct FluidSynthOutput::Engine {
  SynthAudioSetup audio;
  std::filesystem::path soundFont;  // empty: the best installed
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* stream = nullptr;
  // The words' way into the stream when this output renders it; empty when
  // the driver renders on its own.
  std::unique_ptr<StampedStream> stamped;
  std::int64_t queuedMicroseconds = 0;  // what the audio server holds before it plays
  int fontId = FLUID_FAILED;
  int streamsStarted = 0;
  std::atomic<bool> loading{false};

  // The stream stops before what its callback uses goes.
  ~Engine() {
    if (stream) delete_fluid_audio_driver(stream);
    stamped.reset();
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }

  int load(std::string& problem);
  int startStream(std::string& reasons);
};

int FluidSynthOutput::Engine::load(std::string& problem) {
  if (synth) return kMidiOk;
  routeSynthLog();
  if (soundFont.empty()) {
    const auto found = findSoundFont(standardSoundFontFolders());
    if (!found) {
      problem = "no General MIDI SoundFont is installed (for example the package timgm6mb-soundfont)";
      return kMidiError;
    }
    soundFont = *found;
  }
  settings = newSynthSettings();
  if (!audio.fileName.empty()) fluid_settings_setstr(settings, "audio.file.name", audio.fileName.c_str());
  synth = new_fluid_synth(settings);
  if (synth) fontId = fluid_synth_sfload(synth, soundFont.c_str(), 1);
  if (!synth || fontId == FLUID_FAILED) {
    problem = "the SoundFont " + soundFont.string() + " could not be loaded: " + takeSynthMessage();
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    synth = nullptr;
    settings = nullptr;
    return kMidiError;
  }
  return kMidiOk;
}

int FluidSynthOutput::Engine::startStream(std::string& reasons) {
  if (stream) return kMidiOk;
  reasons.clear();
  double sampleRate = 0;
  fluid_settings_getnum(settings, "synth.sample-rate", &sampleRate);
  const std::int64_t period = std::int64_t{kPeriodFrames} * 1'000'000 / static_cast<std::int64_t>(sampleRate);
  const std::int64_t delay = period + kLateSendMarginMicroseconds;
  queuedMicroseconds = kQueuedPeriods * period;
  for (const std::string& driver : audio.drivers) {
    takeSynthMessage();
    fluid_settings_setstr(settings, "audio.driver", driver.c_str());
    stamped = std::make_unique<StampedStream>(synth, sampleRate, delay);
    stream = new_fluid_audio_driver2(settings, renderStamped, stamped.get());
    if (!stream) {
      // The driver cannot call back (the "file" driver): it renders itself.
      stamped.reset();
      stream = new_fluid_audio_driver(settings, synth);
    }
    if (stream) {
      ++streamsStarted;
      return kMidiOk;
    }
    const std::string message = takeSynthMessage();
    reasons += (reasons.empty() ? "" : "; ") + driver + ": " + (message.empty() ? "did not start" : message);
  }
  return kMidiNoDriver;
}

fluid_settings_t* FluidSynthOutput::newSynthSettings() {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.gain", kGain);
  fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
  // Samples are read when a program first asks for them: a play holds the
  // few instruments it uses, not the whole General MIDI set.
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  // Chorus thickens an ensemble, not one fiddle, and costs a third of the
  // synthesiser's work; the reverb gives the room and is kept.
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
  fluid_settings_setint(settings, "audio.periods", kPeriods);
  return settings;
}

FluidSynthOutput& FluidSynthOutput::shared() {
  static FluidSynthOutput output;
  return output;
}

FluidSynthOutput::FluidSynthOutput(SynthAudioSetup audio) : engine_(new Engine) {
  engine_->audio = std::move(audio);
}

FluidSynthOutput::~FluidSynthOutput() {
  if (loader_.joinable() && engine_->loading) {
    loader_.detach();
    return;
  }
  if (loader_.joinable()) loader_.join();
  delete engine_;
}

void FluidSynthOutput::preload(const std::filesystem::path& soundFont) {
  if (loader_.joinable() || engine_->synth) return;
  engine_->soundFont = soundFont;
  preloading_ = soundFont;
  engine_->loading = true;
  Engine* engine = engine_;
  loader_ = std::thread([engine] {
    std::string ignored;
    // A failure is met again, and reported, by the first open.
    if (engine->load(ignored) == kMidiOk) engine->startStream(ignored);
    engine->loading = false;
  });
}

bool FluidSynthOutput::ready() const { return !engine_->loading; }

void FluidSynthOutput::finishLoading() {
  if (loader_.joinable()) loader_.join();
}

int FluidSynthOutput::open(std::string& problem) {
  finishLoading();
  int result = engine_->load(problem);
  if (result == kMidiOk) {
    std::string reasons;
    result = engine_->startStream(reasons);
    if (result != kMidiOk) {
      // The window has room for a sentence, not for every driver's own
      // words: those go to the terminal for whoever looks into it.
      std::fprintf(stderr, "Melodex: no audio output could be started: %s\n", reasons.c_str());
      problem = "no audio output could be started (tried PulseAudio, ALSA and JACK)";
    }
  }
  if (result == kMidiOk) ++openCount_;
  return result;
}

void FluidSynthOutput::close() {
  if (openCount_ == 0) return;
  --openCount_;
  // Every voice stops, the release tails too; the stream stays. Words timed
  // ahead are dropped, so nothing of this play sounds in the next.
  if (engine_->stamped) {
    engine_->stamped->silence();
  } else {
    fluid_synth_all_sounds_off(engine_->synth, -1);
  }
}

void FluidSynthOutput::send(std::int32_t word) { sendAt(word, steadyNow()); }

void FluidSynthOutput::sendAt(std::int32_t word, std::int64_t atMicroseconds) {
  if (engine_->loading || !engine_->synth) return;
  if (engine_->stamped) {
    // A time ahead would hold back every word after it.
    engine_->stamped->post(word, std::min(atMicroseconds, steadyNow()));
  } else {
    playSynthWord(engine_->synth, word);
  }
}

std::int64_t FluidSynthOutput::heardDelayMicroseconds() const {
  if (engine_->loading || !engine_->stamped) return 0;
  return engine_->stamped->delayMicroseconds() + engine_->queuedMicroseconds;
}

bool FluidSynthOutput::changeSoundFont(const std::filesystem::path& soundFont, std::string& problem) {
  finishLoading();
  if (!fluid_is_soundfont(soundFont.c_str())) {
    problem = soundFont.string() + " is not a SoundFont that can be read";
    return false;
  }
  if (!engine_->synth) {
    const std::filesystem::path before = engine_->soundFont;
    engine_->soundFont = soundFont;
    if (engine_->load(problem) == kMidiOk) return true;
    engine_->soundFont = before;
    return false;
  }
  const int newId = fluid_synth_sfload(engine_->synth, soundFont.c_str(), 1);
  if (newId == FLUID_FAILED) {
    problem = "the SoundFont " + soundFont.string() + " could not be loaded: " + takeSynthMessage();
    return false;
  }
  fluid_synth_sfunload(engine_->synth, engine_->fontId, 1);
  engine_->fontId = newId;
  engine_->soundFont = soundFont;
  return true;
}

// Answered without waiting for a preload: the loading thread owns the
// engine's SoundFont until it ends.
std::filesystem::path FluidSynthOutput::soundFont() {
  const std::filesystem::path& known = engine_->loading ? preloading_ : engine_->soundFont;
  if (known.empty()) return findSoundFont(standardSoundFontFolders()).value_or(std::filesystem::path());
  return known;
}

int FluidSynthOutput::audioStreamsStarted() {
  finishLoading();
  return engine_->streamsStarted;
}

std::vector<std::filesystem::path> FluidSynthOutput::standardSoundFontFolders() {
  return {"/usr/share/sounds/sf2", "/usr/share/sounds/sf3", "/usr/share/soundfonts",
          "/usr/local/share/sounds/sf2", "/usr/local/share/soundfonts"};
}

std::optional<std::filesystem::path> FluidSynthOutput::findSoundFont(
    const std::vector<std::filesystem::path>& folders) {
  static const std::array<const char*, 7> kPreferred = {
      "FluidR3_GM.sf2",          "MuseScore_General.sf3", "MuseScore_General.sf2", "MuseScore_General_Lite.sf3",
      "TimGM6mb.sf2",            "default-GM.sf2",        "default-GM.sf3"};
  for (const char* name : kPreferred) {
    for (const auto& folder : folders) {
      std::error_code error;
      const auto candidate = folder / name;
      if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace melodex
