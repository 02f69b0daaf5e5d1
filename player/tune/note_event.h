#pragma once

namespace corvale {

// One row of the event table, every field a real as the MIDI control takes it.
// A fresh row sounds note 0 at velocity 80 on channel 8 for one unit.
struct NoteEvent {
  double note = 0;
  double velocity = 80;
  double channel = 8;
  double duration = 1.0;
  // Under the standard reading, for a chord note of duration 0: how long it sounds
  // from its start, in units, when it is tied on past its chord; 0, as always under
  // the classic reading, for a note that ends with its chord.
  double heldFor = 0;
};

}  // namespace corvale
