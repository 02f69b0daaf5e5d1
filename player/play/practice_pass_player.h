#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "melodex/dispatch.h"
#include "player/play/playback_engine.h"
#include "player/play/player_view.h"
#include "practice/practice_session.h"
#include "tune/tune_parser.h"

namespace corvale {

// The General MIDI percussion channel and the sounds of the clicks: a high wood
// block on the first beat of a bar, a low one on the others.
inline constexpr int kClickChannel = 10;
inline constexpr int kAccentClickNote = 76;
inline constexpr int kBeatClickNote = 77;
inline constexpr int kAccentClickVelocity = 127;
inline constexpr int kBeatClickVelocity = 90;
// What a wait with no click sends on the click channel: velocity 0, sounding nothing.
inline constexpr int kSilentWaitNote = 0;

// How one practice pass ended.
enum class PassEnding { Done, Stopped, Closing, Restart };

// Plays the passes of a practice play through the MIDI control, by member id as
// the engine does, with the clicks interleaved: a click sounds from its beat to
// the next moment anything starts or ends. A note held across a beat is sent as a
// note-on and ended at its end; the wait up to the beat is the click before it,
// or a silent note (velocity 0) on the click channel when none sounds. With no
// clicks and the tempo at 100 % it sends the words a plain play sends.
class PracticePassPlayer {
 public:
  PracticePassPlayer(PlayerView& view, melodex::Dispatch& midix, const ParsedTune& tune, ChordRows chordRows,
                     bool follow);

  PassEnding play(const PracticePass& pass);
  // Ends every note and click still sounding: after a refusal or a closing window.
  void silenceAll();

 private:
  struct Sounding {
    std::int32_t note;
    std::int32_t channel;
    int box;                 // -1: none
    double unitsLeft = 0;    // a chord note tied on past its chord: how long it still sounds
  };
  struct Mark {
    std::size_t line;
    std::size_t begin;
    std::size_t end;
  };

  // Sets BPM from the slider and the pass's share of the tempo, as before every note.
  void setTempo();
  // A length in units as this pass plays it.
  double lengthOf(double duration) const;
  void timedNote(std::int32_t note, std::int32_t velocity, std::int32_t channel, double duration);
  void noteOn(std::int32_t note, std::int32_t velocity, std::int32_t channel);
  void stop(const Sounding& sounding);
  void clickTimed(const Click& click, double duration);
  void clickOn(const Click& click);
  void endClick();
  // Ends the held notes whose time is up once a row of `units` has sounded.
  void releaseHeldAfter(double units);
  void releaseHeld();
  // A row of the tune: false when the window started closing before it.
  bool playRow(int row, const std::vector<Click>& clicks, std::size_t& nextClick, double at);
  void markRow(int row, bool show);
  // Between two notes: Stop, a pause, a restart or the window closing.
  std::optional<PassEnding> betweenNotes();

  PlayerView& view_;
  melodex::Dispatch& midix_;
  const ParsedTune& tune_;
  ChordRows chordRows_;
  bool follow_;
  int tempoPercent_ = 100;
  std::vector<Sounding> held_;     // chord notes and notes held over a beat
  std::optional<Sounding> click_;  // the click sounding until the next moment
  std::optional<Mark> mark_;       // the chord being gathered for the mark
};

}  // namespace corvale
