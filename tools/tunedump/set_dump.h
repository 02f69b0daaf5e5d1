#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "abc/tune_reading.h"

namespace corvale {

// `tunedump --play-set SETFILE [--tempo T] [--instrument FIDDLE|BANJO]`: the set
// played through the same set play as the window's, on a recording output and a
// clock that moves only by each note's wait. Prints set<TAB>ms<TAB>n<TAB>title as
// each tune begins, among the midi<TAB>ms<TAB>word lines of --midi; tunes left out
// are said on `err`. `args` begin with "--play-set".
int runSetDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Reading reading);

}  // namespace corvale
