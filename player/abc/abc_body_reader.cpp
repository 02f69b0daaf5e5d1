#include "abc/abc_body_reader.h"

#include <algorithm>

namespace corvale::abc {
namespace {

constexpr int kLowestNote = 0;
constexpr int kHighestNote = 127;
// Grace notes sound for this share of their written length, taken from the note after
// them, and together for at most the second share of that note.
constexpr double kGraceShare = 0.25;
constexpr double kLongestGraceShare = 0.5;
constexpr int kLargestBarRest = 1000;
constexpr int kLargestEnding = 63;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The end of a "..." or !...! run from `at`, or the line's end when it is not closed.
std::size_t closing(std::string_view line, std::size_t at, char mark) {
  const std::size_t end = line.find(mark, at + 1);
  return end == std::string_view::npos ? line.size() : end + 1;
}

// Past a !...! or +...+ decoration from `at`; a lone mark (an old line break
// or chord sign) is passed over alone.
std::size_t pastDecoration(std::string_view line, std::size_t at) {
  const std::size_t end = closing(line, at, line[at]);
  return end == line.size() && line.back() != line[at] ? at + 1 : end;
}

}  // namespace

BodyReader::BodyReader(const BodyStart& start, Music& music)
    : music_(music), key_(start.key), unitLength_(start.unitLength), meter_(start.meter),
      voices_(start.firstVoice), firstLine_(start.firstLine) {}

void BodyReader::readLine(const LogicalLine& logicalLine) {
  const std::string_view line = logicalLine.text;
  if (const auto field = fieldOfLine(line, true)) {
    applyField(field->letter, field->text);
    return;
  }
  bool overlay = false;  // after "&" up to the bar line: another voice's notes
  std::size_t at = 0;
  while (at < line.size()) {
    const char c = line[at];
    if (c == '[' && at + 2 < line.size() && isLetter(line[at + 1]) && line[at + 2] == ':') {
      readInlineField(line, at);
      continue;
    }
    if (!voices_.playing() || (overlay && c != '|')) {
      ++at;
      continue;
    }
    overlay = false;
    const std::size_t start = at;
    const std::size_t rowsBefore = music_.rows.size();
    switch (c) {
      case '"': at = closing(line, at, '"'); break;
      case '!':
      case '+': at = pastDecoration(line, at); break;
      case '[':
        if (at + 1 < line.size() && isDigit(line[at + 1])) {
          ++at;
          readEnding(line, at);
        } else if (at + 1 < line.size() && line[at + 1] == '|') {
          readBar(line, at);
        } else {
          readChord(line, at);
        }
        break;
      case '|': case ':': readBar(line, at); break;
      case '(':
        if (at + 1 < line.size() && isDigit(line[at + 1])) readTuplet(line, at); else ++at;
        break;
      case '{': readGraces(line, at); break;
      case '>': case '<': readBrokenRhythm(line, at); break;
      case '-': markTie(); ++at; break;
      case 'z': case 'x': case 'Z': case 'X': readRest(line, at); break;
      case '&': overlay = true; ++at; break;
      default:
        if (const auto note = readWrittenNote(line, at)) {
          addSound({{note->natural, soundingNote(*note)}}, timed(note->length));
        } else {
          ++at;  // decorations, slurs, spacers, beams and anything unknown
        }
    }
    if (music_.rows.size() > rowsBefore) placeRows(rowsBefore, logicalLine, start, at);
  }
}

void BodyReader::placeRows(std::size_t firstRow, const LogicalLine& line, std::size_t start, std::size_t end) {
  constexpr std::size_t kWidest = 0xFFFF;
  const auto [fileLine, column] = line.placeOf(start);
  const bool placed = column <= kWidest;
  const RowPlace place{.bar = bar_,
                       .line = static_cast<std::uint32_t>(fileLine - firstLine_),
                       .column = static_cast<std::uint16_t>(placed ? column : kWidest),
                       .width = static_cast<std::uint16_t>(placed ? std::min(end - start, kWidest) : 0)};
  music_.places.resize(firstRow, place);
  music_.places.resize(music_.rows.size(), place);
  barHasMusic_ = true;
  bar_ += restBarsAfter_;
  restBarsAfter_ = 0;
}

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

void BodyReader::applyField(char letter, std::string_view text) {
  if (letter == 'V') {
    voices_.switchTo(text);
    return;
  }
  if (!voices_.playing()) return;
  if (letter == 'K' && AbcKey::namesKey(text)) {
    key_ = AbcKey::read(text);
    barAccidentals_.clear();
  } else if (letter == 'L') {
    unitLength_ = readUnitLength(text).value_or(unitLength_);
  } else if (letter == 'M') {
    meter_ = readMeter(text);
  } else if (letter == 'P') {
    // A part is labelled by one capital letter; "P:segno" or "P:D.S." are remarks.
    const std::string_view label = trimmed(text);
    if (label.size() == 1 && label.front() >= 'A' && label.front() <= 'Z') {
      music_.items.push_back({.kind = MusicItem::Kind::Part, .part = label.front()});
    }
  }
}

void BodyReader::readInlineField(std::string_view line, std::size_t& at) {
  const std::size_t end = line.find(']', at);
  const std::size_t stop = end == std::string_view::npos ? line.size() : end;
  applyField(line[at + 1], line.substr(at + 3, stop - at - 3));
  at = end == std::string_view::npos ? line.size() : end + 1;
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
    item.repeatEnd = item.repeatStart = true;  // "::"
  } else {
    item.repeatEnd = bar.front() == ':';
    item.repeatStart = bar.back() == ':';
    item.sectionEnd = strokes > 1 || thick;
  }
  music_.items.push_back(item);
  barAccidentals_.clear();
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
  if (endings != 0) music_.items.push_back({.kind = MusicItem::Kind::Ending, .endings = endings});
}

void BodyReader::readChord(std::string_view line, std::size_t& at) {
  ++at;
  std::vector<std::pair<int, int>> notes;
  std::optional<double> firstLength;
  bool tied = false;
  while (at < line.size() && line[at] != ']') {
    if (line[at] == '"') {
      at = closing(line, at, '"');
    } else if (line[at] == '!' || line[at] == '+') {
      at = pastDecoration(line, at);
    } else if (const auto note = readWrittenNote(line, at)) {
      notes.push_back({note->natural, soundingNote(*note)});
      if (!firstLength) firstLength = note->length;
    } else {
      tied = tied || line[at] == '-';
      ++at;
    }
  }
  if (at < line.size()) ++at;
  const double length = firstLength.value_or(1) * readLength(line, at);
  if (notes.empty()) return;
  addSound(notes, timed(length));
  if (tied) markTie();
}

void BodyReader::readGraces(std::string_view line, std::size_t& at) {
  const std::size_t end = line.find('}', at);
  const std::size_t stop = end == std::string_view::npos ? line.size() : end;
  ++at;
  while (at < stop) {
    if (const auto note = readWrittenNote(line, at)) {
      graces_.push_back({soundingNote(*note), note->length});
    } else {
      ++at;
    }
  }
  at = end == std::string_view::npos ? line.size() : end + 1;
}

void BodyReader::readTuplet(std::string_view line, std::size_t& at) {
  ++at;
  const int p = readNumber(line, at);
  std::optional<int> q;
  std::optional<int> r;
  if (at < line.size() && line[at] == ':') {
    ++at;
    if (at < line.size() && isDigit(line[at])) q = readNumber(line, at);
    if (at < line.size() && line[at] == ':') {
      ++at;
      if (at < line.size() && isDigit(line[at])) r = readNumber(line, at);
    }
  }
  if (p < 2) return;
  // p notes in the time of q: 3 in 2, 2 and 4 and 8 in 3, the odd ones in 2 or in 3
  // in a compound meter.
  const bool compound = meter_ && meter_->compound;
  int defaultTime = compound ? 3 : 2;
  if (p == 3 || p == 6) defaultTime = 2;
  if (p == 2 || p == 4 || p == 8) defaultTime = 3;
  const int time = q && *q > 0 ? *q : defaultTime;
  tupletFactor_ = static_cast<double>(time) / p;
  tupletLeft_ = r && *r > 0 ? *r : p;
}

void BodyReader::readBrokenRhythm(std::string_view line, std::size_t& at) {
  const char mark = line[at];
  int count = 0;
  while (at < line.size() && line[at] == mark) {
    ++count;
    ++at;
  }
  if (!lastSound_) return;
  const double shorter = 1.0 / (1 << std::min(count, 6));
  const double longer = 2 - shorter;
  const MusicItem& last = music_.items[*lastSound_];
  music_.rows[last.firstRow + last.rowCount - 1].duration *= mark == '>' ? longer : shorter;
  nextBrokenFactor_ = mark == '>' ? shorter : longer;
}

void BodyReader::readRest(std::string_view line, std::size_t& at) {
  const bool wholeBars = line[at] == 'Z' || line[at] == 'X';
  ++at;
  double duration = 0;
  if (wholeBars) {
    int bars = 1;
    if (at < line.size() && isDigit(line[at])) bars = std::clamp(readNumber(line, at), 1, kLargestBarRest);
    duration = bars * 8.0 * (meter_ ? meter_->wholeNotes : 1.0);
    restBarsAfter_ = static_cast<std::uint32_t>(bars - 1);  // the bar line after it closes the last
  } else {
    duration = timed(readLength(line, at));
  }
  tie_.reset();
  graces_.clear();
  music_.items.push_back({.kind = MusicItem::Kind::Sound, .firstRow = music_.rows.size(), .rowCount = 1});
  music_.rows.push_back(restRow(duration));
  lastSound_ = music_.items.size() - 1;
}

void BodyReader::markTie() {
  if (!lastSound_) return;
  const MusicItem& last = music_.items[*lastSound_];
  if (last.rowCount == 0 || music_.rows[last.firstRow].velocity == 0) return;
  // The notes as they sound; their naturals were kept when the sound was added.
  Tie tie{*lastSound_, {}};
  for (std::size_t i = 0; i < last.rowCount; ++i) {
    const NoteEvent& row = music_.rows[last.firstRow + i];
    tie.notes.push_back({tieNaturals_[i], static_cast<int>(row.note)});
  }
  tie_ = tie;
}

int BodyReader::soundingNote(const WrittenNote& note) {
  // An accidental holds to the bar's end for its letter in every octave, the ABC
  // standard's default ("propagate-accidentals pitch").
  auto kept = std::find_if(barAccidentals_.begin(), barAccidentals_.end(),
                           [&](const auto& entry) { return entry.first == note.letter; });
  if (note.accidental) {
    if (kept != barAccidentals_.end()) kept->second = *note.accidental;
    else barAccidentals_.push_back({note.letter, *note.accidental});
    return note.natural + *note.accidental;
  }
  if (kept != barAccidentals_.end()) return note.natural + kept->second;
  return note.natural + key_.alteration[static_cast<std::size_t>(note.letter)];
}

double BodyReader::timed(double writtenLength) {
  double duration = writtenLength * unitLength_ * nextBrokenFactor_;
  nextBrokenFactor_ = 1;
  if (tupletLeft_ > 0) {
    duration *= tupletFactor_;
    --tupletLeft_;
  }
  return duration;
}

bool BodyReader::tiedTo(const std::vector<std::pair<int, int>>& notes) const {
  if (!tie_) return false;
  // A note tied from a chord goes on as that chord note; the chord lasts on with it.
  if (notes.size() == 1 && tie_->notes.size() > 1) {
    return std::any_of(tie_->notes.begin(), tie_->notes.end(),
                       [&](const auto& tied) { return tied.first == notes.front().first; });
  }
  // A chord tied to a chord goes on when it holds the same notes, in any order.
  const auto sameNatural = [](const auto& tied, const auto& note) { return tied.first == note.first; };
  return std::is_permutation(tie_->notes.begin(), tie_->notes.end(), notes.begin(), notes.end(), sameNatural);
}

void BodyReader::addSound(const std::vector<std::pair<int, int>>& notes, double duration) {
  if (tiedTo(notes)) {
    // The tied note goes on sounding, at the pitch it started with even past the bar line.
    const MusicItem& tied = music_.items[tie_->item];
    music_.rows[tied.firstRow + tied.rowCount - 1].duration += duration;
    tie_.reset();
    graces_.clear();
    return;
  }
  tie_.reset();
  if (!graces_.empty()) {
    double written = 0;
    for (const auto& grace : graces_) written += grace.second * unitLength_;
    // Each grace note sounds for a quarter of its written length; before a note too
    // short for that they share half of it.
    const double graceTime = std::min(written * kGraceShare, duration * kLongestGraceShare);
    for (const auto& grace : graces_) {
      const bool playable = grace.first >= kLowestNote && grace.first <= kHighestNote;
      const double length = written > 0 ? graceTime * grace.second * unitLength_ / written : 0;
      music_.items.push_back({.kind = MusicItem::Kind::Sound, .firstRow = music_.rows.size(), .rowCount = 1});
      music_.rows.push_back(playable ? NoteEvent{.note = static_cast<double>(grace.first), .duration = length}
                                     : restRow(length));
    }
    duration -= graceTime;
    graces_.clear();
  }
  MusicItem item{.kind = MusicItem::Kind::Sound, .firstRow = music_.rows.size()};
  tieNaturals_.clear();
  for (const auto& [natural, note] : notes) {
    if (note < kLowestNote || note > kHighestNote) continue;  // no instrument sounds it
    music_.rows.push_back(NoteEvent{.note = static_cast<double>(note), .duration = 0});
    tieNaturals_.push_back(natural);
  }
  if (music_.rows.size() == item.firstRow) music_.rows.push_back(restRow(0));
  music_.rows.back().duration = duration;
  item.rowCount = music_.rows.size() - item.firstRow;
  music_.items.push_back(item);
  lastSound_ = music_.items.size() - 1;
}

}  // namespace corvale::abc
