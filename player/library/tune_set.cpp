#include "player/library/tune_set.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include <unistd.h>

#include "tune/regular_file.h"

namespace corvale {
namespace {

constexpr std::string_view kFirstLine = "# corvale set: times, tune, title, file";
constexpr std::uint64_t kMostSetFileBytes = std::uint64_t{16} << 20;

bool readNumber(std::string_view text, std::uint64_t& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Splits off the text up to the next tab; false when there is none.
bool takeField(std::string_view& line, std::string_view& field) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return false;
  field = line.substr(0, tab);
  line.remove_prefix(tab + 1);
  return true;
}

}  // namespace

void moveEntry(TuneSet& set, std::size_t from, std::size_t to) {
  auto& entries = set.entries;
  if (from >= entries.size() || to >= entries.size() || from == to) return;
  if (from < to) {
    std::rotate(entries.begin() + static_cast<std::ptrdiff_t>(from), entries.begin() + static_cast<std::ptrdiff_t>(from) + 1,
                entries.begin() + static_cast<std::ptrdiff_t>(to) + 1);
  } else {
    std::rotate(entries.begin() + static_cast<std::ptrdiff_t>(to), entries.begin() + static_cast<std::ptrdiff_t>(from),
                entries.begin() + static_cast<std::ptrdiff_t>(from) + 1);
  }
}

std::string setText(const TuneSet& set) {
  std::string text(kFirstLine);
  text += '\n';
  for (const SetEntry& entry : set.entries) {
    std::string title = entry.title;
    std::replace_if(title.begin(), title.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    text += std::to_string(std::clamp(entry.times, 1, kMostTimes)) + '\t' + std::to_string(entry.tune) + '\t' +
            title + '\t' + entry.file.native() + '\n';
  }
  return text;
}

TuneSet readSetText(std::string_view text, int* badLines) {
  TuneSet set;
  int bad = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::string_view times, tune, title;
    std::uint64_t timesValue = 0, tuneValue = 0;
    if (!takeField(line, times) || !takeField(line, tune) || !takeField(line, title) || line.empty() ||
        !readNumber(times, timesValue) || !readNumber(tune, tuneValue)) {
      ++bad;
      continue;
    }
    set.entries.push_back({std::filesystem::path(std::string(line)), tuneValue, std::string(title),
                           static_cast<int>(std::clamp<std::uint64_t>(timesValue, 1, kMostTimes))});
  }
  if (badLines) *badLines = bad;
  return set;
}

TuneSet loadSet(const std::filesystem::path& file, int* badLines) {
  return readSetText(readRegularFile(file, kMostSetFileBytes), badLines);
}

void saveSet(const TuneSet& set, const std::filesystem::path& file) {
  // Written beside and renamed over, so a set is never left half written.
  // Named for this process, so two programs keeping the same set never write one file.
  const std::filesystem::path written = file.string() + ".new" + std::to_string(::getpid());
  {
    std::ofstream out(written, std::ios::binary | std::ios::trunc);
    const std::string text = setText(set);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) throw TuneFileError(file.string() + ": the set could not be written");
  }
  std::error_code error;
  std::filesystem::rename(written, file, error);
  if (error) throw TuneFileError(file.string() + ": the set could not be written (" + error.message() + ")");
}

}  // namespace corvale
