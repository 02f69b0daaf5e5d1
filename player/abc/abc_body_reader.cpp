#include "abc/abc_body_reader.h"

#include <algorithm>
#include <array>

namespace corvale::abc {
namespace {

// Grace notes sound for this share of their written length, taken from the note after
// them, and together for at most the second share of that note.
constexpr double kGraceShare = 0.25;
constexpr double kLongestGraceShare = 0.5;
constexpr int kLargestBarRest = 1000;
constexpr std::size_t kMostGraces = 64;
constexpr std::size_t kMostChordNotes = 128;
constexpr std::array<int, 7> kNaturalOfLetter{0, 2, 4, 5, 7, 9, 11};

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
    : music_(music), writer_(music), key_(start.key), transposition_(start.transposition),
      accidentals_(start.accidentals), unitLength_(start.unitLength), meter_(start.meter),
      voices_(start.firstVoice), playOrnaments_(start.playOrnaments), firstLine_(start.firstLine) {}

bool BodyReader::full() const {
  return music_.rows.size() >= kMostWrittenRows || music_.items.size() >= kMostItems;
}

void BodyReader::readLine(const LogicalLine& logicalLine) {
  const std::string_view line = logicalLine.text;
  if (line.starts_with("%%")) {
    if (voices_.playing()) accidentals_.readDirective(line.substr(2));
    return;
  }
  if (const auto field = fieldOfLine(line, true)) {
    applyField(field->letter, field->text);
    return;
  }
  bool overlay = false;  // after "&" up to the bar line: another voice's notes
  std::size_t at = 0;
  while (at < line.size() && !full()) {
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
      case '+': readDecoration(line, at); break;
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
      case '-': writer_.tieLast(); ++at; break;
      case 'z': case 'x': case 'Z': case 'X': readRest(line, at); break;
      case '&': overlay = true; ++at; break;
      case '~': case 'T': case 'M': case 'P': ornament_ = ornamentOfSymbol(c); ++at; break;
      default: readNote(line, at);  // or pass over decorations, slurs, spacers and anything unknown
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
  // Rows a tie added to the sound before keep that sound's place.
  if (music_.places.size() < firstRow) music_.places.resize(firstRow, place);
  music_.places.resize(music_.rows.size(), place);
  barHasMusic_ = true;
  bar_ += restBarsAfter_;
  restBarsAfter_ = 0;
}

void BodyReader::applyField(char letter, std::string_view text) {
  if (letter == 'V') {
    voices_.switchTo(text);
    // A voice's clef and transposition are those of the voice that plays.
    if (voices_.playing()) transposition_.read(VoiceChoice::afterVoice(text));
    return;
  }
  if (!voices_.playing()) return;
  if (letter == 'K') {
    if (AbcKey::namesKey(text)) {
      key_ = AbcKey::read(text);
      accidentals_.clear();
    }
    transposition_.read(text);
  } else if (letter == 'L') {
    unitLength_ = readUnitLength(text).value_or(unitLength_);
  } else if (letter == 'M') {
    meter_ = readMeter(text);
  } else if (letter == 'I') {
    accidentals_.readDirective(text);
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

void BodyReader::readDecoration(std::string_view line, std::size_t& at) {
  const std::size_t end = pastDecoration(line, at);
  if (end > at + 1) {
    const Ornament named = ornamentOfDecoration(line.substr(at + 1, end - at - 2));
    if (named != Ornament::None) ornament_ = named;
  }
  at = end;
}

void BodyReader::readNote(std::string_view line, std::size_t& at) {
  const auto note = readWrittenNote(line, at);
  if (!note) {
    ++at;
    return;
  }
  const ChordNote written{note->natural, soundingNote(*note), false};
  const double duration = timed(note->length);
  const std::vector<LeadNote> lead = leadNotes(duration, &*note);
  writer_.addSound({&written, 1}, duration, lead);
}

void BodyReader::readChord(std::string_view line, std::size_t& at) {
  ++at;
  std::vector<ChordNote> notes;
  std::optional<double> firstLength;
  while (at < line.size() && line[at] != ']') {
    if (line[at] == '"') {
      at = closing(line, at, '"');
    } else if (line[at] == '!' || line[at] == '+') {
      at = pastDecoration(line, at);
    } else if (const auto note = readWrittenNote(line, at)) {
      if (notes.size() < kMostChordNotes) notes.push_back({note->natural, soundingNote(*note), false});
      if (!firstLength) firstLength = note->length;
    } else {
      // Each note of a chord is tied or not on its own: "[C-E]" ties only C.
      if (line[at] == '-' && !notes.empty()) notes.back().tied = true;
      ++at;
    }
  }
  if (at < line.size()) ++at;
  const double length = firstLength.value_or(1) * readLength(line, at);
  if (notes.empty()) return;
  const double duration = timed(length);
  writer_.addSound(notes, duration, leadNotes(duration, nullptr));
}

void BodyReader::readGraces(std::string_view line, std::size_t& at) {
  const std::size_t end = line.find('}', at);
  const std::size_t stop = end == std::string_view::npos ? line.size() : end;
  ++at;
  while (at < stop) {
    if (const auto note = readWrittenNote(line, at)) {
      if (graces_.size() < kMostGraces) graces_.push_back({soundingNote(*note), note->length});
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
  const double shorter = 1.0 / (1 << std::min(count, 6));
  const double longer = 2 - shorter;
  // The pair's rule changes the note's own length: a tie into it keeps what it joined.
  if (writer_.stretchLast(mark == '>' ? longer : shorter)) nextBrokenFactor_ = mark == '>' ? shorter : longer;
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
  graces_.clear();
  ornament_ = Ornament::None;
  writer_.addRest(duration);
}

int BodyReader::soundingNote(const WrittenNote& note) {
  const std::optional<int> accidental = accidentals_.of(note);
  const int semitones = accidental.value_or(key_.alteration[static_cast<std::size_t>(note.letter)]);
  return note.natural + semitones + transposition_.shift();
}

int BodyReader::neighbourNote(const WrittenNote& note, int step) const {
  const int letter = (note.letter + step + 7) % 7;
  int natural = note.natural - kNaturalOfLetter[static_cast<std::size_t>(note.letter)] +
                kNaturalOfLetter[static_cast<std::size_t>(letter)];
  if (step > 0 && letter == 0) natural += 12;  // B up to C
  if (step < 0 && note.letter == 0) natural -= 12;  // C down to B
  const int semitones = accidentals_.peek(letter, natural).value_or(key_.alteration[static_cast<std::size_t>(letter)]);
  return natural + semitones + transposition_.shift();
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

std::vector<LeadNote> BodyReader::leadNotes(double duration, const WrittenNote* ornamented) {
  std::vector<LeadNote> lead;
  double remaining = duration;
  if (!graces_.empty()) {
    double written = 0;
    for (const auto& grace : graces_) written += grace.second * unitLength_;
    // Each grace note sounds for a quarter of its written length; before a note too
    // short for that they share half of it.
    const double graceTime = std::min(written * kGraceShare, duration * kLongestGraceShare);
    for (const auto& [note, length] : graces_) {
      lead.push_back({note, written > 0 ? graceTime * length * unitLength_ / written : 0});
    }
    remaining -= graceTime;
    graces_.clear();
  }
  if (ornamented != nullptr && playOrnaments_ && ornament_ != Ornament::None) {
    const auto notes = ornamentNotes(ornament_);
    // The last of the ornament's notes is the written note itself.
    for (std::size_t i = 0; i + 1 < notes.size(); ++i) {
      const int note = notes[i].step == 0 ? soundingNote(*ornamented) : neighbourNote(*ornamented, notes[i].step);
      lead.push_back({note, notes[i].share * remaining});
    }
  }
  ornament_ = Ornament::None;
  return lead;
}

}  // namespace corvale::abc
