#include "tune/tune_index.h"

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kTitleChars = 40;

bool isTitleLine(std::string_view line) { return line.size() >= 2 && line[0] == 'T' && line[1] == ':'; }

// Calls add(tune, line) for the first "T:" line of every run of them.
template <class Add>
void forEachTitleLine(const LineStore& store, Add&& add) {
  bool previousIsTitle = false;
  store.forEachLine([&](std::uint64_t tune, std::uint64_t lineNumber, std::string_view line) {
    if (lineNumber == 1) previousIsTitle = false;  // line 0 of a tune reads empty
    const bool isTitle = isTitleLine(line);
    if (isTitle && !previousIsTitle) add(tune, line);
    previousIsTitle = isTitle;
  });
}

}  // namespace

std::vector<TuneListEntry> buildTuneIndex(const LineStore& store) {
  // Counted first, so a file of millions of titles is not copied while the list grows.
  std::size_t count = 0;
  forEachTitleLine(store, [&count](std::uint64_t, std::string_view) { ++count; });
  std::vector<TuneListEntry> titles;
  titles.reserve(count);
  forEachTitleLine(store, [&titles](std::uint64_t tune, std::string_view line) {
    titles.push_back({std::string(utf8Slice(line, 2, kTitleChars)), tune});
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
