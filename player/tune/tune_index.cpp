#include "tune/tune_index.h"

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kTitleChars = 40;

bool isTitleLine(std::string_view line) { return line.size() >= 2 && line[0] == 'T' && line[1] == ':'; }

}  // namespace

std::vector<TuneListEntry> buildTuneIndex(const LineStore& store) {
  std::vector<TuneListEntry> titles;
  for (std::uint64_t tune = 0; tune <= store.tuneCount(); ++tune) {
    const std::uint64_t lines = store.lineCount(tune);
    bool previousIsTitle = false;  // line 0 reads empty
    for (std::uint64_t n = 1; n <= lines; ++n) {
      const std::string_view line = store.line(tune, n);
      const bool isTitle = isTitleLine(line);
      if (isTitle && !previousIsTitle) {
        titles.push_back({std::string(utf8Slice(line, 2, kTitleChars)), titles.size() + 1});
      }
      previousIsTitle = isTitle;
    }
  }
  return titles;
}

std::vector<std::string> titlesOf(const std::vector<TuneListEntry>& entries) {
  std::vector<std::string> titles;
  titles.reserve(entries.size());
  for (const TuneListEntry& entry : entries) titles.push_back(entry.title);
  return titles;
}

}  // namespace corvale
