#include "player/loop/set_playing.h"

#include <system_error>

#include "player/library/set_tunes.h"

namespace corvale {
namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

// The row of the listed tune list that plays `tune` of `file`, or -1.
int rowIn(const ListedFile& listed, const std::filesystem::path& file, std::uint64_t tune) {
  if (!listed.entries || !sameFile(listed.path, file)) return -1;
  for (std::size_t row = 0; row < listed.entries->size(); ++row) {
    if ((*listed.entries)[row].tune == tune) return static_cast<int>(row);
  }
  return -1;
}

std::string joined(const std::vector<std::string>& sentences) {
  std::string text;
  for (const std::string& sentence : sentences) text += (text.empty() ? "" : " ") + sentence;
  return text;
}

}  // namespace

PlayOutcome playRequestedSet(PlayerLoopView& view, SetPlay& setPlay, const TuneSet& set, Reading reading,
                             const ListedFile& listed) {
  const FoundSet found = findSetTunes(set, reading);
  if (!found.problems.empty()) view.showMessage(joined(found.problems));
  if (found.tunes.empty()) {
    if (found.problems.empty()) view.showMessage("The set has no tunes to play: add some with Add to Set.");
    view.setIdle();
    return {PlayEnding::Finished, {}};
  }
  std::vector<SetPiece> pieces;
  for (const FoundSetTune& tune : found.tunes) pieces.push_back({&tune.tune, tune.times});
  return setPlay.play(pieces, reading == Reading::Standard ? ChordRows::HeldToChordEnd : ChordRows::PlainNotes,
                      [&](std::size_t index) {
                        const FoundSetTune& tune = found.tunes[index];
                        view.selectTuneRow(rowIn(listed, tune.file, tune.number));
                        view.showChosenTune(tune.title, tune.number);
                      });
}

}  // namespace corvale
