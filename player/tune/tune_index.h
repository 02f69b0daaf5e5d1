#pragma once

#include <string>
#include <vector>

#include "tune/line_store.h"

namespace corvale {

// The titles of the tune list, in file order: the first "T:" line of every run of "T:"
// lines gives one entry, its text from the third character on, cut at 40 characters.
// Entry n (from 0) stands for tune n + 1 by position only, as the list has always worked.
std::vector<std::string> buildTuneIndex(const LineStore& store);

}  // namespace corvale
