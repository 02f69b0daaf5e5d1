#include "player/play/play_step.h"

#include <new>

namespace corvale {

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
  return engine_.play(tune.events,
                      reading == Reading::Standard ? ChordRows::HeldToChordEnd : ChordRows::PlainNotes);
}

}  // namespace corvale
