#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tune/line_store.h"

namespace corvale {

// One entry of the tune list: where its title stands in the file's text, and the tune
// it plays. Sixteen bytes whatever the title, so that a file of millions of tunes
// lists in little more memory than its text.
struct TuneListEntry {
  static constexpr std::uint32_t kNumberTitle = (1u << 24) - 1;  // titled by the tune's number
  static constexpr std::size_t kLongestTitle = kNumberTitle - 1;  // bytes kept of a longer title

  std::uint64_t titleAt : 40 = 0;  // the title's first byte in the file's text
  std::uint64_t titleSize : 24 = 0;
  std::uint64_t tune = 0;

  static TuneListEntry inText(std::size_t at, std::size_t size, std::uint64_t tune);
  static TuneListEntry numbered(std::uint64_t tune);

  // The title shown, taken from the text the list was made from.
  std::string title(std::string_view text) const;

  friend bool operator==(const TuneListEntry&, const TuneListEntry&) = default;
};

// The titles of the tune list, in file order: the first "T:" line of every run of "T:"
// lines gives one entry, its text from the third character on, cut at 40 characters.
// Each entry plays the tune whose "T:" line gave it: tune 0 for a title before the first
// "X:" line, and the same tune for both entries of a tune with two separate title lines.
std::vector<TuneListEntry> buildTuneIndex(const LineStore& store);

// Room for as many entries as a text of `textSize` bytes could list, reserved so the
// list never grows by copying (pages left unused are never made resident).
void reserveForTunes(std::vector<TuneListEntry>& entries, std::size_t textSize);

// The titles of a tune list held as one text, for a list that shows them: a few bytes
// beside each title's own, whatever their number.
class TuneTitles {
 public:
  TuneTitles() = default;
  TuneTitles(const std::vector<TuneListEntry>& entries, std::string_view text);

  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t i) const;

 private:
  std::string text_;
  std::vector<std::uint64_t> ends_;
};

// The titles of `entries`, in order, as the tune list shows them.
std::vector<std::string> titlesOf(const std::vector<TuneListEntry>& entries, std::string_view text);

}  // namespace corvale
