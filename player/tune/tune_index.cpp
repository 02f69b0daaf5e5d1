#include "tune/tune_index.h"

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kTitleChars = 40;

bool isTitleLine(std::string_view line) { return line.size() >= 2 && line[0] == 'T' && line[1] == ':'; }

}  // namespace

std::vector<TuneListEntry> buildTuneIndex(const LineStore& store) {
  std::vector<TuneListEntry> titles;
  bool previousIsTitle = false;
  store.forEachLine([&](std::uint64_t tune, std::uint64_t lineNumber, std::string_view line) {
    if (lineNumber == 1) previousIsTitle = false;  // line 0 of a tune reads empty
    const bool isTitle = isTitleLine(line);
    if (isTitle && !previousIsTitle) titles.push_back({std::string(utf8Slice(line, 2, kTitleChars)), tune});
    previousIsTitle = isTitle;
  });
  return titles;
}

std::vector<std::string> titlesOf(const std::vector<TuneListEntry>& entries) {
  std::vector<std::string> titles;
  titles.reserve(entries.size());
  for (const TuneListEntry& entry : entries) titles.push_back(entry.title);
  return titles;
}

}  // namespace corvale
