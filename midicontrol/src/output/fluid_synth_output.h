#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace melodex {

// Where the built-in synthesiser sends its sound: the audio drivers tried in
// order, and for FluidSynth's "file" driver the file it writes.
struct SynthAudioSetup {
  std::vector<std::string> drivers{"pulseaudio", "alsa", "jack"};
  std::string fileName;
};

// The built-in software synthesiser behind the default output: FluidSynth
// with a General MIDI SoundFont, sounding through the desktop's audio. The
// synthesiser, its SoundFont and one audio stream are made once, ahead of the
// first play when preloaded, and kept for the whole run: closing silences
// every note and leaves the stream running, so the next open sounds at once.
// Through a desktop's audio the output renders the stream itself and plays
// every word at the frame of its time, heardDelayMicroseconds() later (see
// StampedStream); through a driver that renders on its own (FluidSynth's
// "file" driver) words play when they arrive.
class FluidSynthOutput {
 public:
  static FluidSynthOutput& shared();
  explicit FluidSynthOutput(SynthAudioSetup audio = {});
  // A loading still under way is not waited for: its thread is left to end
  // with the process, so closing the program during loading is prompt.
  ~FluidSynthOutput();
  FluidSynthOutput(const FluidSynthOutput&) = delete;
  FluidSynthOutput& operator=(const FluidSynthOutput&) = delete;

  // Starts building the synthesiser with `soundFont` (empty: the best one
  // installed) and starting its audio stream on a worker thread. Only the
  // first call of a run does anything.
  void preload(const std::filesystem::path& soundFont = {});
  // False only while a preload is still loading.
  bool ready() const;

  // Result codes of the MIDI service; `problem` says why an open failed.
  // Waits for a preload under way.
  int open(std::string& problem);
  // Silences every sounding note; the audio stream keeps running.
  void close();
  // A word with no time of its own is timed now, on the steady clock.
  void send(std::int32_t word);
  // `atMicroseconds` is on the steady clock; a time still to come counts as now.
  void sendAt(std::int32_t word, std::int64_t atMicroseconds);
  // How long after its time a word is heard; 0 until the stream runs, or
  // when the driver gives no place for words between its periods.
  std::int64_t heardDelayMicroseconds() const;

  // Puts `soundFont` in place of the SoundFont in use. On failure the one in
  // use stays and `problem` says why.
  bool changeSoundFont(const std::filesystem::path& soundFont, std::string& problem);
  // The SoundFont the synthesiser uses or will load; empty when none is installed.
  std::filesystem::path soundFont();
  // How many audio streams this output has started in its life.
  int audioStreamsStarted();

  // The best General MIDI SoundFont among those installed in `folders`:
  // FluidR3_GM, then MuseScore General, then TimGM6mb, then the system default.
  static std::optional<std::filesystem::path> findSoundFont(const std::vector<std::filesystem::path>& folders);
  static std::vector<std::filesystem::path> standardSoundFontFolders();
  // Settings sized for one melody line at low latency; the caller frees them.
  static _fluid_hashtable_t* newSynthSettings();

 private:
  struct Engine;
  void finishLoading();

  Engine* engine_;  // owned, unless left to a loading thread still running
  std::thread loader_;
  std::filesystem::path preloading_;  // the SoundFont a preload under way was given
  int openCount_ = 0;
};

}  // namespace melodex
