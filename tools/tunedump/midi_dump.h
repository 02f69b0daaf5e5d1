#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "melodex/recording_platform.h"

namespace corvale {

// midi<TAB>ms<TAB>0xWWWWWWWW for every word sent, ms counted from `playStart`.
void writeMidiWords(const std::vector<melodex::RecordedCall>& calls, std::int64_t playStartMicroseconds,
                    std::ostream& out);

// `tunedump --midi`: one play of a tune through the player's parser, playback
// engine and MIDI control, on a recording output and a clock that moves only
// by each note's wait. `args` are the arguments after "--midi". Returns the
// exit status (0, or 2 for a bad command line or file).
int runMidiDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                Reading reading = Reading::Classic, const ReadingOptions& options = {});

}  // namespace corvale
