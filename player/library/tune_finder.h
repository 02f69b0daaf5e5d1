#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "abc/tune_reading.h"
#include "tune/tune_index.h"

namespace corvale {

// What the find in the open file looks in, one folded text per tune list entry:
// the title as listed, and under the standard reading also the tune's X: number,
// titles, key, metre, rhythm, composer, source and origin.
std::vector<std::string> findableTexts(std::string_view utf8Text, const std::vector<TuneListEntry>& entries,
                                       Reading reading);

// Finds tune list entries whose text holds every word typed (see containsEveryWord).
class TuneFinder {
 public:
  explicit TuneFinder(std::vector<std::string> foldedTexts) : texts_(std::move(foldedTexts)) {}

  enum class Direction { Forward, Backward };

  // The first matching row from `from` on (back from it, going backward), round the
  // end of the list; `from` itself counts only when `fromCounts`. Nothing when no
  // row matches or no word is given.
  std::optional<int> find(std::string_view query, int from, Direction direction, bool fromCounts) const;

  // Every matching row, in order.
  std::vector<int> findAll(std::string_view query) const;

  std::size_t size() const { return texts_.size(); }

 private:
  std::vector<std::string> texts_;
};

}  // namespace corvale
