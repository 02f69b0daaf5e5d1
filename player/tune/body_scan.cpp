#include "tune/body_scan.h"

#include "tune/bars_repeats.h"
#include "tune/note_events.h"
#include "tune/pitch.h"

namespace corvale {

namespace {

constexpr char32_t kQuote = U'"';

// Marks seen in the body and kept until a note uses them.
struct PendingMarks {
  bool sharp = false;
  bool flat = false;
  bool natural = false;
  bool grace = false;  // between "{" and "}"
  bool roll = false;   // set by "~", used by the next note with a "3" after it
};

}  // namespace

void BodyScan::run() {
  NoteEvents notes(table_);
  BarsRepeats bars(table_);
  PendingMarks marks;

  int p = 1;
  while (true) {
    const ScanWindow window{stream_.at(p), stream_.at(p + 1), stream_.at(p + 2)};
    const char32_t c = window.current;
    if (c == BodyStream::kEndMarker || c == U' ' || c == 0) return;

    if (c == U'/') {  // read only as what follows a note
      ++p;
      continue;
    }
    // Chord symbols of one or two characters are skipped whole; longer ones are scanned.
    if (c == kQuote && stream_.at(p + 2) == kQuote) {
      p += 3;
      continue;
    }
    if (c == kQuote && stream_.at(p + 3) == kQuote) {
      p += 4;
      continue;
    }

    const bool isNote = isNoteLetter(c);
    int pitchIndex = 0;
    bool explicitAccidental = false;
    if (isNote) {
      pitchIndex = writtenNoteNumber(c, window.next) - kPitchIndexOffset;
      explicitAccidental = marks.sharp || marks.flat;
      if (marks.sharp) ++pitchIndex;
      if (marks.flat) --pitchIndex;
      marks.sharp = false;
      marks.flat = false;
    }

    if (c == U'^') marks.sharp = true;
    if (c == U'_') marks.flat = true;
    if (c == U'=') marks.natural = true;
    if (c == U'{') marks.grace = true;
    if (c == U'}') marks.grace = false;
    if (c == U'~') {
      marks.roll = true;
      ++p;
      continue;
    }

    // An explicit sharp or flat replaces the key signature for its note.
    const int keyAlteration = isNote && !explicitAccidental ? key_.alterationFor(c) : 0;
    pitchIndex += keyAlteration;
    if (isNote && marks.natural) {
      marks.natural = false;
      pitchIndex -= keyAlteration;
    }

    if (!notes.noteStep(window, isNote, pitchIndex, marks.grace, marks.roll)) return;
    const BarsRepeats::Action action = bars.barStep(window);
    if (action == BarsRepeats::Action::EndOfTune) return;
    if (action == BarsRepeats::Action::SkipNext) {
      p += 2;
      continue;
    }
    if (!notes.restStep(window)) return;
    ++p;
  }
}

}  // namespace corvale
