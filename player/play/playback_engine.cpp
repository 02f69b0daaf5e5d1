#include "player/play/playback_engine.h"

#include <array>
#include <cstdint>

#include "melodex/member_ids.h"
#include "melodex/midi_platform.h"
#include "melodex/runtime_error.h"
#include "melodex/variant.h"
#include "player/play/instrument_switch.h"
#include "player/play/practice_pass_player.h"
#include "player/play/practice_play.h"
#include "player/play/row_arguments.h"

namespace corvale {
namespace {

constexpr int kStartingBeatsPerMinute = 140;
constexpr int kBeatsPerMinutePerTempoStep = 30;
std::string describe(const melodex::RuntimeError& error) {
  return "The MIDI control refused a call (error " + std::to_string(error.number()) + ": " +
         error.what() + "); playing ended there.";
}

}  // namespace

PlaybackEngine::PlaybackEngine(PlayerView& view, melodex::Dispatch& midix)
    : view_(view), midix_(midix) {}

PlayOutcome PlaybackEngine::play(const EventTable& events, ChordRows chordRows) {
  return playThrough([&] { return playPasses(events, chordRows); }, [this] { releaseHeldNotes(); });
}

PlayOutcome PlaybackEngine::playThrough(const std::function<PlayEnding()>& passes,
                                        const std::function<void()>& silence) {
  PlayOutcome outcome;
  try {
    openOutput();
    setBeatsPerMinute(kStartingBeatsPerMinute);
    startInstrument(view_, midix_);
    outcome.ending = passes();
  } catch (const melodex::RuntimeError& error) {
    outcome.ending = PlayEnding::Failed;
    outcome.problem = describe(error);
  }
  silence();
  closeOutput(outcome);
  backToWaiting();
  return outcome;
}

PlayOutcome PlaybackEngine::play(PracticePlay& practice, ChordRows chordRows) {
  PracticePassPlayer player(view_, midix_, practice.tune(), chordRows, practice.session().plan().follow);
  return playThrough([&] { return playPracticePasses(practice, player); },
                     [&] {
                       player.silenceAll();
                       view_.clearTuneLineMarks();
                       view_.showPlayedTempo(view_.tempoValue());
                     });
}

PlayEnding PlaybackEngine::playPracticePasses(PracticePlay& practice, PracticePassPlayer& player) {
  for (int number = 1;; ++number) {
    const std::optional<PracticePass> pass = practice.session().pass(number);
    if (!pass) return PlayEnding::Finished;
    switch (player.play(*pass)) {
      case PassEnding::Done: break;
      case PassEnding::Stopped: return PlayEnding::Stopped;
      case PassEnding::Closing: return PlayEnding::Closing;
      case PassEnding::Restart:
        player.silenceAll();
        practice.restart();
        number = 0;
        break;
    }
  }
}

bool PlaybackEngine::stopAfterPause() {
  while (view_.runCaption() == kPausedCaption && !view_.closing()) view_.waitForWindowEvents();
  return view_.runCaption() == kStartCaption;
}

void PlaybackEngine::openOutput() {
  const melodex::Variant result =
      midix_.Invoke(melodex::member::OpenHandle, melodex::InvokeKind::Method, {});
  const auto* code = std::get_if<std::int32_t>(&result);
  if (code == nullptr || *code == melodex::kMidiOk || soundProblemReported_) return;
  // The tune still plays, silently and at full length; say why only once.
  soundProblemReported_ = true;
  view_.reportSoundUnavailable(*code, melodex::currentPlatform().lastOpenProblem());
}

void PlaybackEngine::setBeatsPerMinute(int bpm) {
  std::array<melodex::Variant, 1> value{std::int32_t{bpm}};
  midix_.Invoke(melodex::member::BPM, melodex::InvokeKind::PropertyPut, value);
}

PlayEnding PlaybackEngine::playPasses(const EventTable& events, ChordRows chordRows) {
  // The replays slider counts only at the start; later moves change nothing.
  const int passCount = view_.replaysValue() + 1;
  for (int pass = 1; pass <= passCount; ++pass) {
    for (int row = 1; row <= events.count(); ++row) {
      const NoteEvent& event = events.row(row);
      const bool held = chordRows == ChordRows::HeldToChordEnd && event.duration == 0 && event.velocity != 0;
      if (!playRow(event, held)) return PlayEnding::Closing;
      if (held) {
        // A chord note takes no time: Stop waits for the chord's end like any note's.
        heldNotes_.push_back({event, event.heldFor});
        continue;
      }
      releaseHeldNotesAfter(event.duration);
      // Stop is honoured only between notes: the sounding note has ended.
      const bool stopPressed = stopAfterPause();
      view_.showWindow();
      if (stopPressed) return PlayEnding::Stopped;
    }
    releaseHeldNotes();
  }
  return PlayEnding::Finished;
}

bool PlaybackEngine::playRow(const NoteEvent& event, bool held) {
  RowArguments arguments = argumentsOf(event);
  // The tempo slider is read before every note, so a move takes effect from the next one.
  setBeatsPerMinute(kBeatsPerMinutePerTempoStep * view_.tempoValue());
  const bool boxed = hasBox(arguments.note);
  const int box = arguments.note - kLowestBoxNote;
  if (boxed) view_.showBox(box);
  view_.processPendingEvents();
  if (view_.closing()) {
    if (boxed) view_.hideBox(box);
    return false;
  }
  std::array<melodex::Variant, 4> noteArguments{arguments.note, arguments.velocity,
                                                arguments.channel, arguments.duration};
  try {
    midix_.Invoke(melodex::member::PlayNote, melodex::InvokeKind::Method, noteArguments);
  } catch (const melodex::RuntimeError&) {
    // The note-on may have gone out before the refusal: silence it, or it
    // would sound on after the play.
    std::array<melodex::Variant, 2> stopArguments{arguments.note, arguments.channel};
    try {
      midix_.Invoke(melodex::member::StopNote, melodex::InvokeKind::Method, stopArguments);
    } catch (const melodex::RuntimeError&) {
      // Nothing more can be sent for this note; the play's own error is the one to report.
    }
    if (boxed) view_.hideBox(box);
    throw;
  }
  if (boxed && !held) view_.hideBox(box);
  return !view_.closing();
}

void PlaybackEngine::release(const NoteEvent& event) {
  const RowArguments arguments = argumentsOf(event);
  std::array<melodex::Variant, 2> stopArguments{arguments.note, arguments.channel};
  try {
    midix_.Invoke(melodex::member::StopNote, melodex::InvokeKind::Method, stopArguments);
  } catch (const melodex::RuntimeError&) {
    // The other held notes are still ended; a refusal while playing is reported by the play.
  }
  if (hasBox(arguments.note)) view_.hideBox(arguments.note - kLowestBoxNote);
}

void PlaybackEngine::releaseHeldNotes() {
  for (const HeldNote& held : heldNotes_) release(held.event);
  heldNotes_.clear();
}

void PlaybackEngine::releaseHeldNotesAfter(double units) {
  // Lengths are sums of fractions of a unit: a tie ending with this row ends within a hair of it.
  constexpr double kTolerance = 1e-6;
  std::erase_if(heldNotes_, [&](HeldNote& held) {
    if (held.unitsLeft <= units + kTolerance) {
      release(held.event);
      return true;
    }
    held.unitsLeft -= units;
    return false;
  });
}

void PlaybackEngine::closeOutput(PlayOutcome& outcome) {
  try {
    midix_.Invoke(melodex::member::CloseHandle, melodex::InvokeKind::Method, {});
  } catch (const melodex::RuntimeError& error) {
    if (outcome.ending != PlayEnding::Failed) {
      outcome.ending = PlayEnding::Failed;
      outcome.problem = describe(error);
    }
  }
}

void PlaybackEngine::backToWaiting() {
  view_.hideAllBoxes();
  view_.clearTuneLines();
  view_.setIdle();
}

}  // namespace corvale
