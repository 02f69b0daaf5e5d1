#include "player/loop/player_loop.h"

#include "player/play/play_step.h"
#include "player/loop/tune_file_reading.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

using OptionalPath = std::optional<std::filesystem::path>;

bool waitingForStart(const PlayerView& view) {
  return view.runCaption() == kStartCaption && !view.closing();
}

std::uint64_t followSelection(PlayerLoopView& view, const std::vector<TuneListEntry>& tuneList) {
  const std::uint64_t chosenTune = chosenTuneOf(view, tuneList);
  view.showChosenTune(view.selectedTuneTitle(), chosenTune);
  return chosenTune;
}

// The file's tune list under the reading chosen when it was made.
struct ListedTunes {
  Reading reading = Reading::Classic;
  std::vector<TuneListEntry> entries;
};

ListedTunes listTunes(PlayerLoopView& view, const TuneFile& tuneFile) {
  ListedTunes listed{view.reading(), {}};
  listed.entries = tuneListOf(tuneFile, listed.reading);
  view.listTunes(TuneTitles(listed.entries, tuneFile.lineStore.text()));
  return listed;
}

// Lists the file again when the musician has chosen another reading since it
// was listed, keeping the chosen tune selected where the new list names it.
void followReading(PlayerLoopView& view, const TuneFile& tuneFile, ListedTunes& listed, std::uint64_t chosenTune) {
  if (view.reading() == listed.reading) return;
  listed = listTunes(view, tuneFile);
  if (chosenTune == 0) return;
  for (std::size_t row = 0; row < listed.entries.size(); ++row) {
    if (listed.entries[row].tune == chosenTune) {
      view.selectTuneRow(static_cast<int>(row));
      return;
    }
  }
}

// Blocks on window events until Start is pressed, another file is asked for
// or the window closes. A run state already at "CLICK TO STOP" (Start
// pressed before the file was chosen) skips the wait and keeps the tune
// chosen before.
std::uint64_t waitForStart(PlayerLoopView& view, const TuneFile& tuneFile, ListedTunes& listed,
                           std::uint64_t chosenTune, OptionalPath& requestedFile) {
  requestedFile = view.takeRequestedFile();
  if (requestedFile || !waitingForStart(view)) return chosenTune;
  followReading(view, tuneFile, listed, chosenTune);
  chosenTune = followSelection(view, listed.entries);
  while (waitingForStart(view)) {
    view.waitForWindowEvents();
    requestedFile = view.takeRequestedFile();
    if (requestedFile) break;
    followReading(view, tuneFile, listed, chosenTune);
    // Read after every batch, so a title clicked just before Start is the one played.
    chosenTune = followSelection(view, listed.entries);
  }
  return chosenTune;
}

// Reads the file; a file that cannot be read is reported and gives a file
// with no tunes. A small file is read at once; anything
// else aside, so the window stays responsive. Nothing is listed once the
// window closes.
TuneFile readOrReport(PlayerLoopView& view, const std::filesystem::path& tunePath) {
  view.clearMessage();
  TuneFile tuneFile;
  try {
    if (quickToRead(tunePath)) {
      tuneFile = readTuneFile(tunePath);
    } else {
      std::optional<TuneFile> read = readTuneFileWhileWaiting(view, tunePath);
      if (!read) return tuneFile;
      tuneFile = std::move(*read);
    }
  } catch (const TuneFileError& error) {
    view.showMessage(error.what());
  }
  return tuneFile;
}

// Lists the file's tunes, waits for Start and plays the chosen tune, over and
// over, until the window closes (nothing returned) or another file is asked
// for, which comes back once the play in progress has stopped. A reading
// chosen during a play lists the file anew when the play is over.
OptionalPath playFromTuneFile(PlayerLoopView& view, PlayStep& playStep, const TuneFile& tuneFile) {
  ListedTunes listed = listTunes(view, tuneFile);
  std::uint64_t chosenTune = 0;
  OptionalPath requestedFile;
  while (!view.closing()) {
    chosenTune = waitForStart(view, tuneFile, listed, chosenTune, requestedFile);
    if (requestedFile) return requestedFile;
    if (view.closing()) break;
    const PlayOutcome outcome = playStep.playChosenTune(tuneFile.lineStore, chosenTune, listed.reading,
                                                            view.readingOptions());
    if (outcome.ending == PlayEnding::Failed) view.showMessage(outcome.problem);
  }
  return std::nullopt;
}

}  // namespace

std::uint64_t chosenTuneOf(const PlayerLoopView& view, const std::vector<TuneListEntry>& tuneList) {
  const int row = view.selectedTuneRow();
  if (row < 0 || static_cast<std::size_t>(row) >= tuneList.size()) return 0;
  return tuneList[static_cast<std::size_t>(row)].tune;
}

void readfile(PlayerLoopView& view, melodex::Dispatch& midix, const std::filesystem::path& tunePath) {
  view.prepareFingerboard();
  PlayStep playStep(view, midix);
  OptionalPath next = tunePath;
  while (next && !view.closing()) {
    const TuneFile tuneFile = readOrReport(view, *next);
    next = playFromTuneFile(view, playStep, tuneFile);
  }
}

}  // namespace corvale
