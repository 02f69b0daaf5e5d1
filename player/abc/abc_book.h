#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tune/tune_index.h"

namespace corvale::abc {

// The lines of one tune: from its X: line to the last line before the blank line or
// the next X: line that ends it, as line indexes and as bytes of the file's text.
struct TuneSpan {
  std::size_t first = 0;  // the index of its first line among the file's lines
  std::size_t last = 0;   // the index of its last line
  std::size_t begin = 0;  // the first byte of its first line
  std::size_t end = 0;    // the byte after its last line (its line end not included)
};

// The file's lines one at a time from a byte of the text, without keeping any: a
// file of millions of lines costs nothing beside its text. Lines end at LF, CRLF or
// CR; a final line end does not start another line.
class LineCursor {
 public:
  LineCursor(std::string_view text, std::size_t begin = 0, std::size_t firstIndex = 0)
      : text_(text), at_(begin), index_(firstIndex) {}

  // The next line up to the byte `end`, or nothing past it.
  std::optional<std::string_view> next(std::size_t end);
  // The index of the line the last next() gave.
  std::size_t index() const { return index_ - 1; }
  // The first byte of the line next() gives next.
  std::size_t offset() const { return at_; }

 private:
  std::string_view text_;
  std::size_t at_;
  std::size_t index_;
};

// A tune file's text as tunes. It holds a view of the text, which must outlive it,
// and finds the tunes in it each time it is asked, keeping nothing per line or tune.
class AbcBook {
 public:
  explicit AbcBook(std::string_view utf8Text) : text_(utf8Text) {}

  std::string_view text() const { return text_; }

  // Calls visit(span) for every tune in file order until it returns false.
  template <class Visit>
  void forEachTune(Visit&& visit) const;

  // Tune `number` from 1 in file order; nothing for 0 or a number past the last tune.
  std::optional<TuneSpan> tune(std::uint64_t number) const;
  // The tune whose X: line is line `index` of the file, starting at byte `begin`.
  TuneSpan tuneAt(std::size_t begin, std::size_t index) const;
  // The lines before the first tune: the file header that applies to every tune.
  std::optional<TuneSpan> fileHeader() const;

  // One entry per tune, in file order: the text of its first T: line, or the number
  // its X: line gives when it has no title; entry n plays tune n + 1.
  std::vector<TuneListEntry> tuneList() const;

 private:
  std::string_view text_;
};

// A line without its comment (from an unescaped "%" on) and without the "\" that
// continues it on the next line.
std::string_view withoutComment(std::string_view line);

// Whether a line ends in "\" (before any comment): the next line goes on with it.
bool continuesOnNextLine(std::string_view line);

// A line as read, and where each file line joined into it begins in its text, so that
// a place in it can be found in the file.
struct LogicalLine {
  struct Piece {
    std::size_t offset;  // in `text`
    std::size_t line;    // index into the file's lines
  };
  std::string_view text;
  std::span<const Piece> pieces;

  // The file line holding position `at` of the text, and the column there.
  std::pair<std::size_t, std::size_t> placeOf(std::size_t at) const;
};

// The lines of a span as read, one at a time: comments taken out and every line
// ending in "\" joined with the one after it; a "%%" directive line is given whole.
// A line read alone is a view of the file's text; only joined lines are copied, into
// one buffer used again.
class LogicalLineReader {
 public:
  LogicalLineReader(std::string_view text, const TuneSpan& span);

  // The next line, valid until the next call; nothing after the span's last line.
  std::optional<LogicalLine> next();

 private:
  bool readRaw();

  LineCursor cursor_;
  std::size_t end_;
  std::string_view raw_;
  std::size_t rawIndex_ = 0;
  bool rawWaiting_ = false;  // raw_ is read and starts the next line
  std::string joined_;
  std::vector<LogicalLine::Piece> pieces_;
};

template <class Visit>
void AbcBook::forEachTune(Visit&& visit) const {
  LineCursor cursor(text_);
  std::optional<TuneSpan> open;
  while (true) {
    const std::size_t begin = cursor.offset();
    const std::optional<std::string_view> line = cursor.next(text_.size());
    if (!line) break;
    const bool startsTune = line->size() >= 2 && (*line)[0] == 'X' && (*line)[1] == ':';
    if (startsTune) {
      if (open && !visit(*open)) return;
      open = TuneSpan{cursor.index(), cursor.index(), begin, begin + line->size()};
    } else if (open && line->find_first_not_of(" \t") == std::string_view::npos) {
      if (!visit(*open)) return;
      open.reset();
    } else if (open) {
      open->last = cursor.index();
      open->end = begin + line->size();
    }
  }
  if (open) visit(*open);
}

}  // namespace corvale::abc
