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
// Each entry plays the tune whose "T:" line gave it: tune 0 for a title before the first
// "X:" line, and the same tune for both entries of a tune with two separate title lines.
std::vector<TuneListEntry> buildTuneIndex(const LineStore& store);

// The titles of `entries`, in order, as the tune list shows them.
std::vector<std::string> titlesOf(const std::vector<TuneListEntry>& entries);

}  // namespace corvale
