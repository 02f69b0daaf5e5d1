#include "fluid_synth_output.h"

#include <fluidsynth.h>

#include <array>
#include <cstdio>
#include <mutex>

#include "melodex/midi_platform.h"

namespace melodex {

namespace {

// FluidSynth's default gain of 0.2 is far quieter than other desktop sound.
constexpr double kGain = 0.8;

// Tried in this order until one starts: PipeWire desktops serve PulseAudio
// clients, plain ALSA covers the rest, JACK the studio set-ups.
constexpr std::array<const char*, 3> kAudioDrivers = {"pulseaudio", "alsa", "jack"};

// FluidSynth reports its failures through a log; the last one becomes part
// of the reason an open failed instead of noise on the terminal.
std::string& lastSynthMessage() {
  static std::string message;
  return message;
}

void keepSynthMessage(int, const char* message, void*) { lastSynthMessage() = message ? message : ""; }
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

}  // namespace

FluidSynthOutput& FluidSynthOutput::shared() {
  static FluidSynthOutput output;
  return output;
}

FluidSynthOutput::~FluidSynthOutput() {
  if (audio_) delete_fluid_audio_driver(audio_);
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
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

int FluidSynthOutput::loadSynthesiser(std::string& problem) {
  if (synth_) return kMidiOk;
  routeSynthLog();
  const auto soundFont = findSoundFont(standardSoundFontFolders());
  if (!soundFont) {
    problem = "no General MIDI SoundFont is installed (for example the package timgm6mb-soundfont)";
    return kMidiError;
  }
  settings_ = new_fluid_settings();
  fluid_settings_setnum(settings_, "synth.gain", kGain);
  synth_ = new_fluid_synth(settings_);
  if (!synth_ || fluid_synth_sfload(synth_, soundFont->c_str(), 1) == FLUID_FAILED) {
    problem = "the SoundFont " + soundFont->string() + " could not be loaded: " + lastSynthMessage();
    if (synth_) delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
    synth_ = nullptr;
    settings_ = nullptr;
    return kMidiError;
  }
  return kMidiOk;
}

int FluidSynthOutput::startAudio(std::string& problem) {
  if (audio_) return kMidiOk;
  std::string reasons;
  for (const char* driver : kAudioDrivers) {
    lastSynthMessage().clear();
    fluid_settings_setstr(settings_, "audio.driver", driver);
    audio_ = new_fluid_audio_driver(settings_, synth_);
    if (audio_) return kMidiOk;
    reasons += std::string(reasons.empty() ? "" : "; ") + driver + ": " +
               (lastSynthMessage().empty() ? "did not start" : lastSynthMessage());
  }
  // The window has room for a sentence, not for every driver's own words:
  // those go to the terminal for whoever looks into it.
  std::fprintf(stderr, "Melodex: no audio output could be started: %s\n", reasons.c_str());
  problem = "no audio output could be started (tried PulseAudio, ALSA and JACK)";
  return kMidiNoDriver;
}

int FluidSynthOutput::open(std::string& problem) {
  int result = loadSynthesiser(problem);
  if (result == kMidiOk) result = startAudio(problem);
  if (result == kMidiOk) ++openCount_;
  return result;
}

void FluidSynthOutput::close() {
  if (openCount_ == 0) return;
  fluid_synth_all_sounds_off(synth_, -1);
  if (--openCount_ == 0 && audio_) {
    delete_fluid_audio_driver(audio_);
    audio_ = nullptr;
  }
}

void FluidSynthOutput::send(std::int32_t word) {
  if (synth_) playWord(synth_, word);
}

// Each data byte is handed over as the word holds it, and FluidSynth turns
// away the values it cannot take (most bytes above 127 after a spill-over);
// a pitch bend joins the low 7 bits of its two bytes.
void FluidSynthOutput::playWord(fluid_synth_t* synth, std::int32_t word) {
  const auto bits = static_cast<std::uint32_t>(word);
  const int status = static_cast<int>(bits & 0xFFu);
  const int data1 = static_cast<int>((bits >> 8) & 0xFFu);
  const int data2 = static_cast<int>((bits >> 16) & 0xFFu);
  const int channel = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth, channel, data1);
      break;
    case 0x90:
      fluid_synth_noteon(synth, channel, data1, data2);
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth, channel, data1, data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth, channel, data1, data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth, channel, data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth, channel, data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth, channel, (data1 & 0x7F) | ((data2 & 0x7F) << 7));
      break;
    default:
      if (status == 0xFF) fluid_synth_system_reset(synth);
      break;
  }
}

}  // namespace melodex
