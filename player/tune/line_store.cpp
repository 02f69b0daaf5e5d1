#include "tune/line_store.h"

namespace corvale {

namespace {

bool startsTune(std::string_view line) { return line.size() >= 2 && line[0] == 'X' && line[1] == ':'; }

}  // namespace

LineStore LineStore::fromText(std::string utf8Text) {
  LineStore store;
  store.text_ = std::move(utf8Text);
  const std::string_view text = store.text_;
  store.lines_.reserve(text.size() / 24 + 1);
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view line = text.substr(begin, end - begin);
    if (startsTune(line)) store.tuneFirstLine_.push_back(store.lines_.size());
    store.lines_.push_back({begin, end - begin});
    begin = end;
    if (begin < text.size()) {
      const bool carriageReturn = text[begin] == '\r';
      ++begin;
      if (carriageReturn && begin < text.size() && text[begin] == '\n') ++begin;
    }
  }
  return store;
}

std::uint64_t LineStore::lineCount(std::uint64_t tune) const {
  if (tune == 0) return tuneFirstLine_.empty() ? lines_.size() : tuneFirstLine_.front();
  if (tune > tuneCount()) return 0;
  const std::size_t first = tuneFirstLine_[tune - 1];
  const std::size_t next = tune < tuneCount() ? tuneFirstLine_[tune] : lines_.size();
  return next - first;
}

std::string_view LineStore::line(std::uint64_t tune, std::uint64_t lineNumber) const {
  const std::string_view missing = tune == 0 ? "" : " ";
  if (lineNumber == 0) return "";
  if (lineNumber > lineCount(tune)) return missing;
  const std::size_t first = tune == 0 ? 0 : tuneFirstLine_[tune - 1];
  const LineSpan span = lines_[first + lineNumber - 1];
  return std::string_view(text_).substr(span.begin, span.length);
}

}  // namespace corvale
