#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "abc/tune_reading.h"

namespace corvale {

// `tunedump --export-midi OUT.mid ...` and `--export-wav OUT.wav ...`: the
// play `--midi` lists, kept as a Standard MIDI File or rendered to a WAV file
// with the SoundFont the player uses, under `reading`. `args` start with the
// option itself; after OUT come the options and operands of `--midi`. Returns the exit
// status: 0, 1 when the file cannot be made or the play was refused, 2 for
// a bad command line or tune file.
int runMidiExport(const std::vector<std::string>& args, std::ostream& err, Reading reading,
                  const ReadingOptions& options = {});

}  // namespace corvale
