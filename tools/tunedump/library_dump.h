#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "abc/tune_reading.h"

namespace corvale {

// Whether `args` (after "--standard" is taken out) ask for one of the library's modes.
bool isLibraryMode(const std::vector<std::string>& args);

// The library's modes, each returning the exit status (2 for a bad command line):
//   --find "WORDS" FILE        the tune list entries the window's find matches,
//                              as index<TAB>n<TAB>title
//   --index FOLDER --db PATH   brings the index at PATH in step with FOLDER and
//                              prints what it did, one figure<TAB>value a line
//   --search "QUERY" --db PATH [--limit N]
//                              hit<TAB>title<TAB>key<TAB>rhythm<TAB>metre<TAB>n<TAB>file
//   --play-set SETFILE [--tempo T] [--instrument FIDDLE|BANJO]
//                              the set played as the window plays it: set<TAB>ms<TAB>n<TAB>title
//                              as each tune begins, and every MIDI word as --midi
int runLibraryMode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Reading reading);

}  // namespace corvale
