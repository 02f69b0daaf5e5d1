#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// The lines of a tune file, grouped by tune. Tune t (from 1) starts at the file's t-th
// line beginning with "X:", which is its line 1; tune 0 holds the lines before the first
// such line. Sized to the file: any number of tunes and of lines per tune.
//
// The text is held once and lines are found in it on demand: only every few lines'
// start is kept, so a file of millions of short lines costs little beside its text.
class LineStore {
 public:
  LineStore() = default;

  // Splits UTF-8 text at LF, CRLF and CR line ends. A final line end does not start
  // another line.
  static LineStore fromText(std::string utf8Text);

  // A line as read, without its line end. A cell the file did not fill reads " " for
  // tunes 1 and up (however large the tune number) and "" for tune 0; line 0 reads "".
  std::string_view line(std::uint64_t tune, std::uint64_t lineNumber) const;

  // The whole text as held (UTF-8), for readers that take the file as one text.
  std::string_view text() const { return text_; }

  // Tunes 1..tuneCount() hold lines of the file.
  std::uint64_t tuneCount() const { return tuneFirstLine_.size(); }
  std::uint64_t lineCount(std::uint64_t tune) const;
  // The index among all lines of the file of tune `tune`'s "X:" line (1..tuneCount()).
  std::uint64_t firstLineIndex(std::uint64_t tune) const { return tuneFirstLine_[tune - 1]; }

  // Calls visit(tune, lineNumber, line) for every line of the file in order, in one pass
  // over the text: the way to read all of it, where line() would search for each.
  template <class Visit>
  void forEachLine(Visit&& visit) const;

 private:
  // A line whose start is kept: its index among all lines of the file and its first byte.
  struct Checkpoint {
    std::uint64_t line;
    std::size_t begin;
  };

  // The line starting at byte `begin`, and the start of the line after it.
  std::string_view lineFrom(std::size_t begin, std::size_t& next) const;
  std::string_view lineAt(std::uint64_t index) const;

  std::string text_;
  std::uint64_t lineTotal_ = 0;
  std::vector<Checkpoint> checkpoints_;       // in file order, the first line always
  std::vector<std::uint64_t> tuneFirstLine_;  // line index of each tune's "X:" line
};

template <class Visit>
void LineStore::forEachLine(Visit&& visit) const {
  std::size_t begin = 0;
  std::uint64_t tune = 0;
  std::uint64_t lineNumber = 0;
  for (std::uint64_t index = 0; index < lineTotal_; ++index) {
    if (tune < tuneFirstLine_.size() && tuneFirstLine_[tune] == index) {
      ++tune;
      lineNumber = 0;
    }
    const std::string_view line = lineFrom(begin, begin);
    visit(tune, ++lineNumber, line);
  }
}

}  // namespace corvale
