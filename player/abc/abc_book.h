#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tune/tune_index.h"

namespace corvale::abc {

// The lines of one tune, as indexes into the file's lines: from its X: line to the
// last line before the blank line or the next X: line that ends it.
struct TuneSpan {
  std::size_t first = 0;
  std::size_t last = 0;
};

// A tune file's text split into lines and tunes, read once per file. It holds views
// into the text, which must outlive it.
class AbcBook {
 public:
  // Lines end at LF, CRLF or CR; a final line end does not start another line.
  explicit AbcBook(std::string_view utf8Text);

  const std::vector<std::string_view>& lines() const { return lines_; }
  std::size_t tuneCount() const { return tunes_.size(); }
  // Tune `number` from 1 up to tuneCount().
  const TuneSpan& tune(std::size_t number) const { return tunes_[number - 1]; }
  // The lines before the first tune: the file header that applies to every tune.
  std::size_t fileHeaderLineCount() const { return tunes_.empty() ? lines_.size() : tunes_.front().first; }

  // One entry per tune, in file order: the text of its first T: line, or the number
  // its X: line gives when it has no title; entry n plays tune n + 1.
  std::vector<TuneListEntry> tuneList() const;

 private:
  std::vector<std::string_view> lines_;
  std::vector<TuneSpan> tunes_;
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
  std::string text;
  std::vector<Piece> pieces;

  // The file line holding position `at` of the text, and the column there.
  std::pair<std::size_t, std::size_t> placeOf(std::size_t at) const;
};

// The lines first..last (indexes into `lines`) as read: comments taken out and every
// line ending in "\" joined with the one after it.
std::vector<LogicalLine> logicalLines(const std::vector<std::string_view>& lines, std::size_t first,
                                      std::size_t last);

}  // namespace corvale::abc
