#include "tune/tune_index.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kTitleChars = 40;
// Every entry takes at least a line end and "T:" (or "X:") in the text.
constexpr std::size_t kFewestBytesPerEntry = 3;

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

TuneListEntry TuneListEntry::inText(std::size_t at, std::size_t size, std::uint64_t tune) {
  TuneListEntry entry;
  entry.titleAt = at;
  entry.titleSize = std::min(size, kLongestTitle);
  entry.tune = tune;
  return entry;
}

TuneListEntry TuneListEntry::numbered(std::uint64_t tune) {
  TuneListEntry entry;
  entry.titleSize = kNumberTitle;
  entry.tune = tune;
  return entry;
}

std::string TuneListEntry::title(std::string_view text) const {
  if (titleSize == kNumberTitle) return std::to_string(tune);
  if (titleAt >= text.size()) return {};
  return std::string(text.substr(titleAt, titleSize));
}

void reserveForTunes(std::vector<TuneListEntry>& entries, std::size_t textSize) {
  try {
    entries.reserve(textSize / kFewestBytesPerEntry + 1);
  } catch (const std::bad_alloc&) {
    // Without that much address space the list grows as usual.
  } catch (const std::length_error&) {
  }
}

std::vector<TuneListEntry> buildTuneIndex(const LineStore& store) {
  const std::string_view text = store.text();
  std::vector<TuneListEntry> titles;
  reserveForTunes(titles, text.size());
  forEachTitleLine(store, [&](std::uint64_t tune, std::string_view line) {
    const std::string_view title = utf8Slice(line, 2, kTitleChars);
    titles.push_back(TuneListEntry::inText(static_cast<std::size_t>(title.data() - text.data()), title.size(), tune));
  });
  return titles;
}

TuneTitles::TuneTitles(const std::vector<TuneListEntry>& entries, std::string_view text) {
  std::size_t bytes = 0;
  for (const TuneListEntry& entry : entries) bytes += entry.titleSize == TuneListEntry::kNumberTitle ? 20 : entry.titleSize;
  text_.reserve(bytes);
  ends_.reserve(entries.size());
  for (const TuneListEntry& entry : entries) {
    if (entry.titleSize == TuneListEntry::kNumberTitle || entry.titleAt >= text.size()) {
      text_ += entry.title(text);
    } else {
      text_ += text.substr(entry.titleAt, entry.titleSize);
    }
    ends_.push_back(text_.size());
  }
}

std::string_view TuneTitles::operator[](std::size_t i) const {
  const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
  return std::string_view(text_).substr(begin, ends_[i] - begin);
}

std::vector<std::string> titlesOf(const std::vector<TuneListEntry>& entries, std::string_view text) {
  std::vector<std::string> titles;
  titles.reserve(entries.size());
  for (const TuneListEntry& entry : entries) titles.push_back(entry.title(text));
  return titles;
}

}  // namespace corvale
