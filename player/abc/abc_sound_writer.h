#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "abc/abc_music.h"

namespace corvale::abc {

// A note of a note or chord as read: its written note, for ties, and the note it sounds.
struct ChordNote {
  int natural = 60;     // the written note without accidentals: ties join notes by it
  int note = 60;        // the sounding note number
  bool tied = false;    // a "-" after it: it goes on into the next sound
};

// A note played at the start of a sound, taking its time from it: a grace note or a
// note of an ornament.
struct LeadNote {
  int note = 60;
  double length = 0;  // eighths
};

// Writes sounds into the music's rows, note by note as ties join them. A chord is
// written as rows of duration 0 (held until the chord's last row, its time, ends) and
// that last row. A note tied into the next sound goes on sounding instead of being
// struck again: the row it started on is held (heldFor) to the end of the tie, and a
// silent row keeps the time of a chord whose time row goes on; the notes of either
// sound that are not tied start and end with their own sound.
class SoundWriter {
 public:
  explicit SoundWriter(Music& music) : music_(music) {}

  // A note or chord of `duration` eighths, its `lead` notes first within that time.
  void addSound(std::span<const ChordNote> notes, double duration, std::span<const LeadNote> lead);
  void addRest(double duration);
  // A "-" after a note or chord: every note sounding at its end goes on.
  void tieLast();
  // Broken rhythm: the last sound's own length (not what a tie joined it to) times
  // `factor`. False when there is no sound to change.
  bool stretchLast(double factor);
  // Graces and ornaments end at a rest: nothing sounds on into the next sound.
  void endTies() { sounding_.clear(); }

 private:
  // A note sounding at the end of the last sound, and the row it started on.
  struct Sounding {
    int natural;
    int note;
    std::size_t row;
    double length;  // eighths, from its start to the end of the last sound
    bool tied;
  };
  // A row whose length holds the last sound's own length.
  struct Carrier {
    std::size_t row;
    bool held;  // its heldFor holds it, not its duration
  };

  std::vector<bool> continuing(std::span<const ChordNote> notes, std::vector<const Sounding*>& from) const;
  void lengthen(double eighths);
  void holdOn(Sounding& sound, double duration);
  void startItem();
  void endItem();
  void appendRow(const NoteEvent& row);

  Music& music_;
  std::vector<Sounding> sounding_;
  std::vector<Carrier> carriers_;
  double ownLength_ = 0;
  std::optional<std::size_t> lastItem_;
};

}  // namespace corvale::abc
