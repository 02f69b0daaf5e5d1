#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace melodex {

// The built-in software synthesiser behind the default output: FluidSynth
// with the best General MIDI SoundFont installed, sounding through the
// desktop's audio. One per process: the SoundFont is loaded by the first open
// and kept, so later opens start at once; the audio output runs while at
// least one handle is open.
class FluidSynthOutput {
 public:
  static FluidSynthOutput& shared();
  ~FluidSynthOutput();
  FluidSynthOutput(const FluidSynthOutput&) = delete;
  FluidSynthOutput& operator=(const FluidSynthOutput&) = delete;

  // Result codes of the MIDI service; `problem` says why an open failed.
  int open(std::string& problem);
  // Silences every sounding note; the last close also stops the audio output.
  void close();
  void send(std::int32_t word);

  // The best General MIDI SoundFont among those installed in `folders`:
  // FluidR3_GM, then MuseScore General, then TimGM6mb, then the system default.
  static std::optional<std::filesystem::path> findSoundFont(const std::vector<std::filesystem::path>& folders);
  static std::vector<std::filesystem::path> standardSoundFontFolders();
  // Plays one message word on `synth`: status in the low byte, then the two data bytes.
  static void playWord(_fluid_synth_t* synth, std::int32_t word);

 private:
  FluidSynthOutput() = default;
  int loadSynthesiser(std::string& problem);
  int startAudio(std::string& problem);

  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_audio_driver_t* audio_ = nullptr;
  int openCount_ = 0;
};

}  // namespace melodex
