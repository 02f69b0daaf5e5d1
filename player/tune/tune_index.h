#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tune/line_store.h"

namespace corvale {

// One entry of the tune list: the title shown and the tune it plays.
struct TuneListEntry {
  std::string title;
  std::uint64_t tune = 0;
  friend bool operator==(const TuneListEntry&, const TuneListEntry&) = default;
};

// The titles of the tune list, in file order: the first "T:" line of every run of "T:"
// lines gives one entry, its text from the third character on, cut at 40 characters.
// Entry n (from 0) stands for tune n + 1 by position only, as the list has always worked.
std::vector<TuneListEntry> buildTuneIndex(const LineStore& store);

// The titles of `entries`, in order, as the tune list shows them.
std::vector<std::string> titlesOf(const std::vector<TuneListEntry>& entries);

}  // namespace corvale
