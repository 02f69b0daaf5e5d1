#pragma once

#include "tune/event_table.h"
#include "tune/scan_window.h"

namespace corvale {

// Bar lines, repeats and first and second endings. Repeated sections are copied to the
// end of the event table as soon as their closing sign is met, so the table read from
// row 1 is the tune in the order it is heard.
class BarsRepeats {
 public:
  enum class Action {
    Continue,     // go on at the next position
    SkipNext,     // the mark took two characters: go on two positions further
    EndOfTune,    // "v" or "V" before "a" or "e", or the table filled up
  };

  explicit BarsRepeats(EventTable& table) : table_(table) {}

  Action barStep(const ScanWindow& window);

  int repeatStart() const { return repeatStart_; }
  int commonPartLength() const { return commonPartLength_; }
  bool inFirstEnding() const { return inFirstEnding_; }

 private:
  EventTable& table_;
  int repeatStart_ = 0;       // rows after this one form the section the next end-repeat repeats
  int commonPartLength_ = 0;  // rows from the repeat start to the first ending
  bool inFirstEnding_ = false;
};

}  // namespace corvale
