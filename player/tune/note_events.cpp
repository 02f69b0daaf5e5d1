#include "tune/note_events.h"

#include "tune/pitch.h"

namespace corvale {

namespace {

// The tuplet factor is this decimal, not two thirds, as tunes have always been timed.
constexpr double kTupletFactor = 0.666;
constexpr double kGraceDivisor = 8;
constexpr double kRestNote = 56;

bool isLengthDigit(char32_t c) { return c == U'2' || c == U'3' || c == U'4'; }
bool isOctaveMark(char32_t c) { return c == U',' || c == U'\''; }
double digitValue(char32_t c) { return static_cast<double>(c - U'0'); }

// The note a roll turns to above its own: a semitone above F, G and B, a tone above
// the other letters.
double upperNeighbourStep(char32_t letter) {
  switch (letter) {
    case U'F': case U'f': case U'G': case U'g': case U'B': case U'b':
      return 1;
    default:
      return 2;
  }
}

}  // namespace

bool NoteEvents::noteStep(const ScanWindow& window, bool isNote, int pitchIndex, bool graceMark, bool& rollMark) {
  if (window.current == U'(' && window.next == U'3') tupletCount_ = 3;
  if (window.current == U'(' && window.next == U'4') tupletCount_ = 4;
  if (!isNote) return true;

  if (!table_.append(NoteEvent{.note = static_cast<double>(pitchIndex + kPitchIndexOffset)})) return false;
  NoteEvent& row = table_.row(table_.count());
  if (isLengthDigit(window.next)) row.duration *= digitValue(window.next);
  if (isOctaveMark(window.next) && isLengthDigit(window.secondNext)) row.duration *= digitValue(window.secondNext);
  if (window.next == U'/' || (isOctaveMark(window.next) && window.secondNext == U'/')) row.duration /= 2;
  if (tupletCount_ > 0) {
    row.duration *= kTupletFactor;
    --tupletCount_;
  }
  if (graceMark) row.duration /= kGraceDivisor;
  if (rollMark && window.next == U'3') {
    rollMark = false;
    return appendRoll(window.current);
  }
  return true;
}

bool NoteEvents::appendRoll(char32_t letter) {
  NoteEvent& rolled = table_.row(table_.count());
  rolled.duration /= 2;
  const double note = rolled.note;
  const double upper = note + upperNeighbourStep(letter);
  const NoteEvent turn[] = {
      {.note = note, .duration = 0.25},     {.note = upper, .duration = 0.25}, {.note = note, .duration = 0.25},
      {.note = note - 2, .duration = 0.25}, {.note = note, .duration = 0.5},
  };
  for (const NoteEvent& event : turn) {
    if (!table_.append(event)) return false;
  }
  return true;
}

bool NoteEvents::restStep(const ScanWindow& window) {
  if (window.current != U'z') return true;
  NoteEvent rest{.note = kRestNote, .velocity = 0};
  if (isLengthDigit(window.next)) rest.duration *= digitValue(window.next);
  return table_.append(rest);
}

}  // namespace corvale
