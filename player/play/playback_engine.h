#pragma once

#include <functional>
#include <string>
#include <vector>

#include "melodex/dispatch.h"
#include "player/play/player_view.h"
#include "tune/event_table.h"

namespace corvale {

class PracticePassPlayer;
class PracticePlay;

// How one play ended.
enum class PlayEnding {
  Finished,  // every pass ran to its last row
  Stopped,   // the start button was pressed during a note
  Closing,   // the window is closing
  Failed,    // the control refused a call; `problem` says which and why
};

// What a row of duration 0 is. Under the classic reading it is a note like any other,
// left to the control; the standard reading writes a chord as such rows before its
// last note, and they sound, lit, until the chord's last note has ended, or, tied on
// past the chord, for their heldFor units.
enum class ChordRows { PlainNotes, HeldToChordEnd };

struct PlayOutcome {
  PlayEnding ending = PlayEnding::Finished;
  std::string problem;
};

// Plays the event table through the window's MIDI control: opens the output,
// switches the instrument, plays every row as a timed note for as many passes
// as the replays slider asks, lighting each note's box, and at the end closes
// the output and puts the window back to waiting. The control is reached only
// by member id. Lives as long as the window, so that a missing synthesiser is
// reported once per run and not at every play.
class PlaybackEngine {
 public:
  PlaybackEngine(PlayerView& view, melodex::Dispatch& midix);

  PlayOutcome play(const EventTable& events, ChordRows chordRows = ChordRows::PlainNotes);
  // Plays a practice play: its passes, with their clicks and tempos, until the last
  // pass or Stop; a restart asked for between two notes plays it anew.
  PlayOutcome play(PracticePlay& practice, ChordRows chordRows);

 private:
  // Opens the output, sets the instrument, plays `passes`, then ends what
  // `silence` ends, closes the output and puts the window back to waiting.
  PlayOutcome playThrough(const std::function<PlayEnding()>& passes, const std::function<void()>& silence);
  void openOutput();
  void setBeatsPerMinute(int bpm);
  // Plays passes of the table; returns how playing ended.
  PlayEnding playPasses(const EventTable& events, ChordRows chordRows);
  // One row: box, events once, timed note, box off (left lit when `held`). False
  // when the window started closing, so that no later row is played.
  bool playRow(const NoteEvent& event, bool held);
  // Ends the held notes of a chord by member id and puts their boxes out.
  void releaseHeldNotes();
  PlayEnding playPracticePasses(PracticePlay& practice, PracticePassPlayer& player);
  // Holds while the play is paused; true when Stop was pressed meanwhile or before.
  bool stopAfterPause();
  // Ends the held notes whose time is up once a row of `units` has sounded.
  void releaseHeldNotesAfter(double units);
  void release(const NoteEvent& event);
  void closeOutput(PlayOutcome& outcome);
  void backToWaiting();

  PlayerView& view_;
  melodex::Dispatch& midix_;
  bool soundProblemReported_ = false;
  struct HeldNote {
    NoteEvent event;
    double unitsLeft;  // 0: until the next timed row ends
  };
  std::vector<HeldNote> heldNotes_;  // chord notes sounding until the chord, or their tie, ends
};

}  // namespace corvale
