#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace melodex {

// The system's default MIDI output, device -1, which OpenHandle with no
// argument opens: the built-in synthesiser, unless the musician routes it to
// one of the ALSA sequencer ports. These settings belong to the process, not
// to a control, and change nothing a control sends.

// Starts loading the built-in synthesiser with `soundFont` (empty: the best
// General MIDI SoundFont installed) and starting its audio stream, on a
// worker thread, so that the first play sounds at once. Only the first call
// of a run does anything; without one, the first open loads.
void preloadBuiltInSynthesiser(const std::filesystem::path& soundFont = {});

// The SoundFont the built-in synthesiser uses, or will use once loaded;
// empty when none is installed.
std::filesystem::path builtInSoundFont();

// The best General MIDI SoundFont installed (FluidR3_GM, then MuseScore
// General, then TimGM6mb), whatever the synthesiser uses now; empty when none is.
std::filesystem::path installedSoundFont();

// Loads `soundFont` for the plays to come. On failure the SoundFont in use
// stays, and `problem` says why in a musician's words.
bool chooseBuiltInSoundFont(const std::filesystem::path& soundFont, std::string& problem);

// Routes the default output to the sequencer port named `portName`, or back
// to the built-in synthesiser when empty. A port that has gone by the time a
// play opens the output leaves the play on the built-in synthesiser.
void routeDefaultOutput(const std::string& portName);
const std::string& defaultOutputRoute();

// How long after a timed word's time the musician hears it: the built-in
// synthesiser's fixed delay while a play has it open (it sounds every word a
// little after its time, so that each lands exactly in place), 0 when the
// default output is routed to a port or another platform is installed. What
// the window shows of a note is shown this much later to stay with its sound.
std::int64_t heardDelayMicroseconds();

// Plays timed message words through the built-in synthesiser's sound, off
// line, with `soundFont`, into a 44.1 kHz stereo 16-bit WAV file at `wavPath`.
// The file appears whole or not at all. False, with `problem` saying why,
// when the SoundFont cannot be loaded or the file cannot be written.
struct TimedWord {
  std::int64_t timeMicroseconds;
  std::int32_t word;
};
bool renderWav(const std::vector<TimedWord>& words, const std::filesystem::path& soundFont,
               const std::filesystem::path& wavPath, std::string& problem);

// The same render handed over a block at a time instead of written to a file:
// `takeBlock` gets `frames` frames of 44.1 kHz stereo as interleaved floats, and
// returns false to end the render there. A render is renderedFrames(words)
// frames long, known before it starts. False, with `problem` saying why, when
// the SoundFont cannot be loaded or takeBlock ended it.
using SoundBlockSink = std::function<bool(const float* interleaved, int frames)>;
bool renderSound(const std::vector<TimedWord>& words, const std::filesystem::path& soundFont,
                 const SoundBlockSink& takeBlock, std::string& problem);
std::int64_t renderedFrames(const std::vector<TimedWord>& words);

}  // namespace melodex
