#include "tune/body_stream.h"

#include <algorithm>

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kColumns = 80;

}  // namespace

BodyStream::BodyStream() : cells_(kPositions + 1, U' ') {}

void BodyStream::put(char32_t c) {
  cells_[static_cast<std::size_t>(++length_)] = c;
  cells_[static_cast<std::size_t>(length_ + 1)] = kEndMarker;
}

void BodyStream::pack(const std::vector<std::string_view>& bodyLines) {
  std::fill(cells_.begin() + 1, cells_.end(), U' ');
  length_ = 0;
  for (const std::string_view line : bodyLines) {
    const std::string_view columns = utf8Slice(line, 0, kColumns);
    std::size_t pos = 0;
    while (pos < columns.size()) {
      const char32_t c = nextCodePoint(columns, pos);
      if (c <= U' ') continue;
      const bool slashWithoutTwo = c == U'/' && (pos >= columns.size() || columns[pos] != '2');
      const int needed = slashWithoutTwo ? 2 : 1;
      if (length_ + needed + 1 > kPositions) return;  // the end marker must fit too
      put(c);
      if (slashWithoutTwo) put(U'2');
    }
  }
}

}  // namespace corvale
