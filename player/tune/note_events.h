#pragma once

#include "tune/event_table.h"
#include "tune/scan_window.h"

namespace corvale {

// Turns notes and rests into rows of the event table with their lengths: length digits,
// the halving slash, triplets and quadruplets, grace notes and the roll ornament.
class NoteEvents {
 public:
  explicit NoteEvents(EventTable& table) : table_(table) {}

  // The note step of one scan position. When the current character is a note letter,
  // appends its row with note number `pitchIndex` + 54. Uses up `rollMark` when it makes
  // a roll. Returns false when the table is full and the tune must end here.
  bool noteStep(const ScanWindow& window, bool isNote, int pitchIndex, bool graceMark, bool& rollMark);

  // The rest step: a "z" appends a silent row. False when the table is full.
  bool restStep(const ScanWindow& window);

  int tupletCount() const { return tupletCount_; }

 private:
  bool appendRoll(char32_t letter);

  EventTable& table_;
  int tupletCount_ = 0;
};

}  // namespace corvale
