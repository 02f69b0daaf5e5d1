#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// One tune of a set: where it is, what it is called, and how many times it is played.
struct SetEntry {
  std::filesystem::path file;  // the file system's own bytes
  std::uint64_t tune = 0;      // counted among the file's X: lines, from 1
  std::string title;
  int times = 1;
  friend bool operator==(const SetEntry&, const SetEntry&) = default;
};

inline constexpr int kMostTimes = 99;

// Tunes played one after another, each its number of times.
struct TuneSet {
  std::vector<SetEntry> entries;
  friend bool operator==(const TuneSet&, const TuneSet&) = default;
};

// Moves entry `from` to `to` (both in range; anything else changes nothing).
void moveEntry(TuneSet& set, std::size_t from, std::size_t to);

// The set as its file holds it: a first line naming the format, then one line per
// tune, TIMES<TAB>TUNE<TAB>TITLE<TAB>FILE (tabs in a title written as spaces).
std::string setText(const TuneSet& set);

// A set read back; lines it cannot read are counted in `badLines` and left out.
TuneSet readSetText(std::string_view text, int* badLines = nullptr);

// Reading and writing a set file; throws TuneFileError when it cannot.
TuneSet loadSet(const std::filesystem::path& file, int* badLines = nullptr);
void saveSet(const TuneSet& set, const std::filesystem::path& file);

}  // namespace corvale
