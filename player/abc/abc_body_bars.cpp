// The bar lines, repeat signs and endings of a tune body, and the bars they count.
#include <algorithm>

#include "abc/abc_body_reader.h"

namespace corvale::abc {
namespace {

constexpr int kLargestEnding = 63;
// Extra colons add a pass each, up to this many passes.
constexpr int kMostColons = 16;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::uint8_t colons(std::size_t count) { return static_cast<std::uint8_t>(std::min<std::size_t>(count, kMostColons)); }

}  // namespace

void BodyReader::countBar() {
  if (!barHasMusic_) return;  // a bar line straight after another, or at the start
  barHasMusic_ = false;
  if (!firstBarCounted_) {
    firstBarCounted_ = true;
    double length = 0;
    for (const NoteEvent& row : music_.rows) length += row.duration;
    if (meter_ && length < meter_->wholeNotes * 8 - 1e-9) {
      for (RowPlace& place : music_.places) place.bar = 0;
      return;  // the next bar is the first full one
    }
  }
  ++bar_;
}

void BodyReader::readBar(std::string_view line, std::size_t& at) {
  const std::size_t start = at;
  int strokes = 0;
  bool thick = false;
  while (at < line.size()) {
    const char c = line[at];
    if (c == '|') {
      ++strokes;
    } else if (c == ']' && at > start && line[at - 1] == '|') {
      thick = true;
    } else if (c == '[' && at + 1 < line.size() && line[at + 1] == '|') {
      thick = true;
    } else if (c != ':') {
      break;
    }
    ++at;
  }
  const std::string_view bar = line.substr(start, at - start);
  MusicItem item{.kind = MusicItem::Kind::Bar};
  if (strokes == 0) {
    if (bar.size() < 2) return;  // a lone ":" means nothing
    // "::" ends one repeat and starts the next; more colons share out between the two.
    item.repeatEnd = item.repeatStart = true;
    item.endColons = colons(bar.size() / 2);
    item.startColons = colons(bar.size() - bar.size() / 2);
  } else {
    // Each colon before the strokes ends a pass, each after them starts one: "|::" ... "::|"
    // plays three times.
    item.endColons = colons(bar.find_first_not_of(':'));
    item.startColons = colons(bar.size() - 1 - bar.find_last_not_of(':'));
    item.repeatEnd = item.endColons > 0;
    item.repeatStart = item.startColons > 0;
    item.sectionEnd = strokes > 1 || thick;
  }
  music_.items.push_back(item);
  accidentals_.clear();
  countBar();
  if (at < line.size() && isDigit(line[at])) {
    readEnding(line, at);
  } else if (at + 1 < line.size() && line[at] == '[' && isDigit(line[at + 1])) {
    ++at;
    readEnding(line, at);
  }
}

void BodyReader::readEnding(std::string_view line, std::size_t& at) {
  // "1", "1,3", "2-3": every number, and every one of a range, gets its bit.
  std::uint64_t endings = 0;
  while (at < line.size() && isDigit(line[at])) {
    const int from = readNumber(line, at);
    int to = from;
    if (at + 1 < line.size() && line[at] == '-' && isDigit(line[at + 1])) {
      ++at;
      to = readNumber(line, at);
    }
    for (int n = std::max(from, 1); n <= std::min(to, kLargestEnding); ++n) endings |= std::uint64_t{1} << n;
    if (at + 1 < line.size() && line[at] == ',' && isDigit(line[at + 1])) ++at; else break;
  }
  if (endings != 0) music_.items.push_back({.endings = endings, .kind = MusicItem::Kind::Ending});
}

}  // namespace corvale::abc
