#include "abc/abc_book.h"

#include <algorithm>

#include "abc/abc_fields.h"

namespace corvale::abc {
namespace {

// The X: line's text when no T: line titles the tune.
constexpr std::uint32_t kNumberTitle = TuneListEntry::kNumberTitle;

bool isFieldLine(std::string_view line, char letter) {
  return line.size() >= 2 && line[0] == letter && line[1] == ':';
}

// The entry of a tune: its first T: line before K:, else its X: number, else its place.
TuneListEntry entryOf(std::string_view text, const TuneSpan& span, std::uint64_t tune) {
  LineCursor cursor(text, span.begin, span.first);
  std::string_view title = trimmed(withoutComment(cursor.next(span.end)->substr(2)));
  while (const std::optional<std::string_view> line = cursor.next(span.end)) {
    if (isFieldLine(*line, 'T')) {
      title = trimmed(withoutComment(line->substr(2)));
      break;
    }
    if (isFieldLine(*line, 'K')) break;
  }
  if (title.empty()) return TuneListEntry::numbered(tune);
  return TuneListEntry::inText(static_cast<std::size_t>(title.data() - text.data()), title.size(), tune);
}

}  // namespace

std::optional<std::string_view> LineCursor::next(std::size_t end) {
  if (at_ > end || at_ >= text_.size()) return std::nullopt;
  const std::size_t stop = std::min(text_.find_first_of("\r\n", at_), text_.size());
  const std::string_view line = text_.substr(at_, stop - at_);
  at_ = stop;
  if (at_ < text_.size()) at_ += text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
  ++index_;
  return line;
}

std::optional<TuneSpan> AbcBook::tune(std::uint64_t number) const {
  std::optional<TuneSpan> found;
  std::uint64_t count = 0;
  if (number == 0) return found;
  forEachTune([&](const TuneSpan& span) {
    if (++count < number) return true;
    found = span;
    return false;
  });
  return found;
}

TuneSpan AbcBook::tuneAt(std::size_t begin, std::size_t index) const {
  LineCursor cursor(text_, begin, index);
  TuneSpan span{index, index, begin, begin + cursor.next(text_.size()).value_or("").size()};
  while (true) {
    const std::size_t lineBegin = cursor.offset();
    const std::optional<std::string_view> line = cursor.next(text_.size());
    if (!line || isFieldLine(*line, 'X') || line->find_first_not_of(" \t") == std::string_view::npos) break;
    span.last = cursor.index();
    span.end = lineBegin + line->size();
  }
  return span;
}

std::optional<TuneSpan> AbcBook::fileHeader() const {
  LineCursor cursor(text_);
  TuneSpan header;
  bool any = false;
  while (true) {
    const std::size_t begin = cursor.offset();
    const std::optional<std::string_view> line = cursor.next(text_.size());
    if (!line || isFieldLine(*line, 'X')) break;
    header.last = cursor.index();
    header.end = begin + line->size();
    any = true;
  }
  return any ? std::optional<TuneSpan>(header) : std::nullopt;
}

std::vector<TuneListEntry> AbcBook::tuneList() const {
  std::vector<TuneListEntry> entries;
  reserveForTunes(entries, text_.size());
  std::uint64_t tune = 0;
  forEachTune([&](const TuneSpan& span) {
    entries.push_back(entryOf(text_, span, ++tune));
    return true;
  });
  return entries;
}

std::string_view withoutComment(std::string_view line) {
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '%' && (at == 0 || line[at - 1] != '\\')) {
      line = line.substr(0, at);
      break;
    }
  }
  line = line.substr(0, line.find_last_not_of(" \t") + 1);
  if (!line.empty() && line.back() == '\\') line.remove_suffix(1);
  return line;
}

bool continuesOnNextLine(std::string_view line) {
  const std::size_t comment = line.find('%');
  line = line.substr(0, comment);
  line = line.substr(0, line.find_last_not_of(" \t") + 1);
  return !line.empty() && line.back() == '\\';
}

std::pair<std::size_t, std::size_t> LogicalLine::placeOf(std::size_t at) const {
  auto piece = std::upper_bound(pieces.begin(), pieces.end(), at,
                                [](std::size_t position, const Piece& p) { return position < p.offset; });
  if (piece == pieces.begin()) return {0, at};
  --piece;
  return {piece->line, at - piece->offset};
}

LogicalLineReader::LogicalLineReader(std::string_view text, const TuneSpan& span)
    : cursor_(text, span.begin, span.first), end_(span.end) {}

bool LogicalLineReader::readRaw() {
  const std::optional<std::string_view> line = cursor_.next(end_);
  if (!line) return false;
  raw_ = *line;
  rawIndex_ = cursor_.index();
  return true;
}

std::optional<LogicalLine> LogicalLineReader::next() {
  if (!rawWaiting_ && !readRaw()) return std::nullopt;
  rawWaiting_ = false;
  pieces_.assign(1, {0, rawIndex_});
  // A "%%" directive is a line of its own, kept whole for the reader to take.
  if (raw_.starts_with("%%")) return LogicalLine{raw_, pieces_};
  std::string_view text = withoutComment(raw_);
  bool joined = false;
  bool continuing = continuesOnNextLine(raw_);
  const bool fieldLine = fieldOfLine(text, true).has_value();
  while (continuing && readRaw()) {
    const std::string_view more = withoutComment(raw_);
    // A field line after a continued music line stands on its own: "\" there only
    // keeps the music on one staff line.
    if (fieldOfLine(more, true) && !fieldLine) {
      rawWaiting_ = true;
      break;
    }
    if (!joined) joined_.assign(text);
    joined = true;
    joined_ += ' ';
    pieces_.push_back({joined_.size(), rawIndex_});
    joined_ += more;
    continuing = continuesOnNextLine(raw_);
  }
  return LogicalLine{joined ? std::string_view(joined_) : text, pieces_};
}

}  // namespace corvale::abc
