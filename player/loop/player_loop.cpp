#include "player/loop/player_loop.h"

#include "player/play/play_step.h"
#include "player/loop/set_playing.h"
#include "practice/practice_desk.h"
#include "player/loop/tune_file_reading.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

using OptionalPath = std::optional<std::filesystem::path>;
using OptionalSet = std::optional<TuneSet>;

constexpr const char* kChooseATune = "Choose a tune in the list first";

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
  std::optional<std::uint64_t> outlinedTune;  // the tune last told to the practice choices
};

// Tells the practice choices of a newly chosen tune (its parts and bars), once a tune.
void outlineChosenTune(PlayerLoopView& view, const TuneFile& tuneFile, ListedTunes& listed, std::uint64_t chosenTune) {
  PracticeDesk* desk = view.practiceDesk();
  if (desk == nullptr || listed.outlinedTune == chosenTune) return;
  listed.outlinedTune = chosenTune;
  TuneReader reader;
  desk->tuneChosen(outlineOf(reader.parse(tuneFile.lineStore, chosenTune, listed.reading), chosenTune, listed.reading));
}

ListedTunes listTunes(PlayerLoopView& view, const TuneFile& tuneFile) {
  ListedTunes listed{view.reading(), {}, std::nullopt};
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
                           std::uint64_t chosenTune, OptionalPath& requestedFile, OptionalSet& requestedSet) {
  requestedFile = view.takeRequestedFile();
  if (!requestedFile) requestedSet = view.takeRequestedSet();
  if (requestedFile || requestedSet || !waitingForStart(view)) return chosenTune;
  followReading(view, tuneFile, listed, chosenTune);
  chosenTune = followSelection(view, listed.entries);
  outlineChosenTune(view, tuneFile, listed, chosenTune);
  while (waitingForStart(view)) {
    view.waitForWindowEvents();
    requestedFile = view.takeRequestedFile();
    if (requestedFile) break;
    requestedSet = view.takeRequestedSet();
    if (requestedSet) break;
    followReading(view, tuneFile, listed, chosenTune);
    // Read after every batch, so a title clicked just before Start is the one played.
    chosenTune = followSelection(view, listed.entries);
    outlineChosenTune(view, tuneFile, listed, chosenTune);
  }
  return chosenTune;
}

// Reads the file; a file that cannot be read is reported and gives a file
// with no tunes. A small file is read at once; anything
// else aside, so the window stays responsive. Nothing is listed once the
// window closes.
TuneFile readOrReport(PlayerLoopView& view, const std::filesystem::path& tunePath) {
  view.clearMessage();
  // The key shown belongs to the last tune played: a file opened has none yet.
  view.showKeyText("");
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
OptionalPath playFromTuneFile(PlayerLoopView& view, PlayStep& playStep, SetPlay& setPlay, const TuneFile& tuneFile,
                              const std::filesystem::path& tunePath) {
  ListedTunes listed = listTunes(view, tuneFile);
  std::uint64_t chosenTune = 0;
  OptionalPath requestedFile;
  bool askedToChoose = false;
  while (!view.closing()) {
    OptionalSet requestedSet;
    chosenTune = waitForStart(view, tuneFile, listed, chosenTune, requestedFile, requestedSet);
    if (requestedFile) return requestedFile;
    if (view.closing()) break;
    if (requestedSet) {
      const PlayOutcome outcome =
          playRequestedSet(view, setPlay, *requestedSet, listed.reading, {tunePath, &listed.entries});
      if (outcome.ending == PlayEnding::Failed) view.showMessage(outcome.problem);
      continue;
    }
    // Start with nothing chosen plays the lines before the first tune, which are
    // seldom music: say what to do, and take the words away once a tune is chosen.
    if (chosenTune == 0 && !listed.entries.empty()) {
      view.showMessage(kChooseATune);
      askedToChoose = true;
    } else if (askedToChoose) {
      view.clearMessage();
      askedToChoose = false;
    }
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
  SetPlay setPlay(view, midix);
  OptionalPath next = tunePath;
  while (next && !view.closing()) {
    const TuneFile tuneFile = readOrReport(view, *next);
    next = playFromTuneFile(view, playStep, setPlay, tuneFile, *next);
  }
}

}  // namespace corvale
