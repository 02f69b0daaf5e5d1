#include "player/ui/player_loop.h"

#include "player/play/play_step.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

bool waitingForStart(const PlayerView& view) {
  return view.runCaption() == kStartCaption && !view.closing();
}

std::uint64_t followSelection(PlayerLoopView& view, const std::vector<TuneListEntry>& tuneList) {
  const std::uint64_t chosenTune = chosenTuneOf(view, tuneList);
  view.showChosenTune(view.selectedTuneTitle(), chosenTune);
  return chosenTune;
}

// Blocks on window events until Start is pressed or the window closes. A
// run state already at "CLICK TO STOP" (Start pressed before the file was
// chosen) skips the wait and keeps the tune chosen before.
std::uint64_t waitForStart(PlayerLoopView& view, const std::vector<TuneListEntry>& tuneList,
                           std::uint64_t chosenTune) {
  if (!waitingForStart(view)) return chosenTune;
  chosenTune = followSelection(view, tuneList);
  while (waitingForStart(view)) {
    view.waitForWindowEvents();
    // Read after every batch, so a title clicked just before Start is the one played.
    chosenTune = followSelection(view, tuneList);
  }
  return chosenTune;
}

}  // namespace

std::uint64_t chosenTuneOf(const PlayerLoopView& view, const std::vector<TuneListEntry>& tuneList) {
  const int row = view.selectedTuneRow();
  if (row < 0 || static_cast<std::size_t>(row) >= tuneList.size()) return 0;
  return tuneList[static_cast<std::size_t>(row)].tune;
}

void readfile(PlayerLoopView& view, melodex::Dispatch& midix, const std::filesystem::path& tunePath) {
  view.prepareFingerboard();
  TuneFile tuneFile;
  try {
    tuneFile = readTuneFile(tunePath);
  } catch (const TuneFileError& error) {
    view.showMessage(error.what());
  }
  view.listTunes(titlesOf(tuneFile.tuneIndex));

  PlayStep playStep(view, midix);
  std::uint64_t chosenTune = 0;
  while (!view.closing()) {
    chosenTune = waitForStart(view, tuneFile.tuneIndex, chosenTune);
    if (view.closing()) break;
    const PlayOutcome outcome = playStep.playChosenTune(tuneFile.lineStore, chosenTune);
    if (outcome.ending == PlayEnding::Failed) view.showMessage(outcome.problem);
  }
}

}  // namespace corvale
