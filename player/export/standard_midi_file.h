#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "melodex/sound_output.h"

namespace corvale {

// The bytes of a Standard MIDI File of type 0 holding `words`, each at its
// time to the millisecond (1000 ticks to a quarter note of one second). A
// word a file cannot hold whole, one with no channel status or a data byte
// above 127 (a spilled-over value), is left out, as a sequencer port would.
std::string standardMidiFile(const std::vector<melodex::TimedWord>& words);

// Writes standardMidiFile(words) to `path`: whole, or, on failure, not at
// all and the file there before untouched. False with `problem` saying why.
bool writeStandardMidiFile(const std::vector<melodex::TimedWord>& words, const std::filesystem::path& path,
                           std::string& problem);

}  // namespace corvale
