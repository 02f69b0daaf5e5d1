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

 private:
  struct LineSpan {
    std::size_t begin;
    std::size_t length;
  };

  std::string text_;
  std::vector<LineSpan> lines_;              // every line of the file, in order
  std::vector<std::size_t> tuneFirstLine_;  // index into lines_ of each tune's "X:" line
};

}  // namespace corvale
