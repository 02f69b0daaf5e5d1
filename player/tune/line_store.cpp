#include "tune/line_store.h"

#include <algorithm>
#include <new>

namespace corvale {

namespace {

// A line's start is kept after this many lines or bytes since the last kept one, so
// finding any line scans at most about this much text, and short lines cost little.
constexpr std::uint64_t kCheckpointLines = 32;
constexpr std::size_t kCheckpointBytes = 256;

bool startsTune(std::string_view line) { return line.size() >= 2 && line[0] == 'X' && line[1] == ':'; }

// Room for as many items as the text could ever need, so the vector never grows by
// copying: pages of the room that stay unused are never made resident. Without that
// much address space the vector grows as usual.
template <class T>
void reserveAtMost(std::vector<T>& items, std::size_t most) {
  try {
    items.reserve(most);
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace

std::string_view LineStore::lineFrom(std::size_t begin, std::size_t& next) const {
  const std::string_view text = text_;
  std::size_t end = begin;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  next = end;
  if (next < text.size()) {
    const bool carriageReturn = text[next] == '\r';
    ++next;
    if (carriageReturn && next < text.size() && text[next] == '\n') ++next;
  }
  return text.substr(begin, end - begin);
}

LineStore LineStore::fromText(std::string utf8Text) {
  LineStore store;
  store.text_ = std::move(utf8Text);
  const std::size_t size = store.text_.size();
  // Every line takes at least its line end, and a tune line at least "X:" too.
  reserveAtMost(store.checkpoints_, size / kCheckpointLines + 1);
  reserveAtMost(store.tuneFirstLine_, size / 3 + 1);
  std::size_t begin = 0;
  std::uint64_t index = 0;
  while (begin < size) {
    const Checkpoint* last = store.checkpoints_.empty() ? nullptr : &store.checkpoints_.back();
    if (!last || index - last->line >= kCheckpointLines || begin - last->begin >= kCheckpointBytes) {
      store.checkpoints_.push_back({index, begin});
    }
    std::size_t next = 0;
    if (startsTune(store.lineFrom(begin, next))) store.tuneFirstLine_.push_back(index);
    begin = next;
    ++index;
  }
  store.lineTotal_ = index;
  return store;
}

std::string_view LineStore::lineAt(std::uint64_t index) const {
  const auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), index,
                                      [](std::uint64_t wanted, const Checkpoint& c) { return wanted < c.line; });
  const Checkpoint& from = *(after - 1);  // line 0 is always kept
  std::size_t begin = from.begin;
  for (std::uint64_t skip = from.line; skip < index; ++skip) lineFrom(begin, begin);
  std::size_t next = 0;
  return lineFrom(begin, next);
}

std::uint64_t LineStore::lineCount(std::uint64_t tune) const {
  if (tune == 0) return tuneFirstLine_.empty() ? lineTotal_ : tuneFirstLine_.front();
  if (tune > tuneCount()) return 0;
  const std::uint64_t first = tuneFirstLine_[tune - 1];
  const std::uint64_t next = tune < tuneCount() ? tuneFirstLine_[tune] : lineTotal_;
  return next - first;
}

std::string_view LineStore::line(std::uint64_t tune, std::uint64_t lineNumber) const {
  const std::string_view missing = tune == 0 ? "" : " ";
  if (lineNumber == 0) return "";
  if (lineNumber > lineCount(tune)) return missing;
  const std::uint64_t first = tune == 0 ? 0 : tuneFirstLine_[tune - 1];
  return lineAt(first + lineNumber - 1);
}

}  // namespace corvale
