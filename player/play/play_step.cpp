#include "player/play/play_step.h"

#include <cmath>
#include <new>

#include "player/play/practice_play.h"

namespace corvale {
namespace {

// Moves the TEMPO slider to the tune's Q: and says so; a tune without one leaves it.
std::string takeTuneTempo(const ParsedTune& tune, Reading reading, PlayerView& view) {
  const TuneTiming timing = readTuneTiming(tune.listedLines, reading);
  if (!timing.tempo) {
    return "The tune gives no tempo (Q:), so TEMPO stays at " + std::to_string(view.tempoValue()) + ".";
  }
  bool clamped = false;
  const int tempo = sliderTempoFor(*timing.tempo, timing.unitWholeNotes, &clamped);
  view.setTempoValue(tempo);
  return "Tempo from the tune: " + std::to_string(std::lround(timing.tempo->beatsPerMinute)) + " beats a minute (TEMPO " +
         std::to_string(tempo) + (clamped ? ", as near as the slider goes" : "") + ").";
}

std::string joined(const std::string& first, const std::string& second) {
  if (first.empty()) return second;
  return second.empty() ? first : first + "\n" + second;
}

}  // namespace

namespace {

constexpr const char* kTooLargeToPlay = "This tune is too large to play.";

}  // namespace

PlayStep::PlayStep(PlayerView& view, melodex::Dispatch& midix) : view_(view), engine_(view, midix) {}

PlayOutcome PlayStep::playChosenTune(const LineStore& lineStore, std::uint64_t chosenTune, Reading reading,
                                     const ReadingOptions& options) {
  // Every play starts from an empty event table and body: the parse builds both anew.
  ParsedTune tune;
  try {
    tune = reader_.parse(lineStore, chosenTune, reading, options);
    view_.listTuneLines(tune.listedLines);
    // The key field is shown after every header scan, empty for a tune without one.
    view_.showKeyText(tune.keyText);
  } catch (const std::bad_alloc&) {
    // The memory the tune's reading needs is not there: say so and wait for the next Start.
    view_.clearTuneLines();
    view_.setIdle();
    return PlayOutcome{PlayEnding::Failed, kTooLargeToPlay};
  }
  // The listed lines and their count belong to this play only: the engine
  // empties the list, and the parsed tune goes with this call.
  return playParsedTune(tune, reading);
}

PlayOutcome PlayStep::playParsedTune(const ParsedTune& tune, Reading reading) {
  const ChordRows chordRows = reading == Reading::Standard ? ChordRows::HeldToChordEnd : ChordRows::PlainNotes;
  PracticeDesk* desk = view_.practiceDesk();
  if (desk == nullptr) return engine_.play(tune.events, chordRows);

  const PracticePlan plan = desk->plan();
  const std::string tempoWords = plan.tempoFromTune ? takeTuneTempo(tune, reading, view_) : std::string();
  // A tune whose rows know their bars may be restarted from a line, so it plays as practice.
  if (!plan.shapesThePlay() && !plan.follow && tune.places.empty()) {
    desk->report(tempoWords);
    return engine_.play(tune.events, chordRows);
  }
  PracticePlay practice(tune, reading, *desk, view_.replaysValue());
  desk->report(joined(practice.session().report(), tempoWords));
  return engine_.play(practice, chordRows);
}

}  // namespace corvale
