#include "player/play/play_step.h"

namespace corvale {

PlayStep::PlayStep(PlayerView& view, melodex::Dispatch& midix) : view_(view), engine_(view, midix) {}

PlayOutcome PlayStep::playChosenTune(const LineStore& lineStore, std::uint64_t chosenTune, Reading reading) {
  // Every play starts from an empty event table and body: the parse builds both anew.
  ParsedTune tune = reader_.parse(lineStore, chosenTune, reading);
  view_.listTuneLines(tune.listedLines);
  // The key field is shown after every header scan, empty for a tune without one.
  view_.showKeyText(tune.keyText);
  // The listed lines and their count belong to this play only: the engine
  // empties the list, and the parsed tune goes with this call.
  return engine_.play(tune.events,
                      reading == Reading::Standard ? ChordRows::HeldToChordEnd : ChordRows::PlainNotes);
}

}  // namespace corvale
