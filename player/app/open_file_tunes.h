#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>


namespace corvale {

class Form1;

// The tune list of the window's open file as the player loop listed it, read
// again aside, with what the find looks in for each entry. When the file has
// changed since it was listed (its titles no longer those shown), only the
// titles shown are known.
struct OpenFileTunes {
  // A row of the tune list: the tune it plays (0 when not known) and its title.
  struct Entry {
    std::uint64_t tune = 0;
    std::string title;
  };
  std::vector<Entry> entries;          // one per row of the tune list
  std::vector<std::string> findable;   // folded, one per row

  static OpenFileTunes of(const Form1& form);

  // The entry of `row`, if there is one.
  std::optional<Entry> entry(int row) const;
  // The row that plays `tune`, or -1.
  int rowOf(std::uint64_t tune) const;
};

}  // namespace corvale
