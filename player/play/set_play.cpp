#include "player/play/set_play.h"

#include <algorithm>

namespace corvale {
namespace {

// The longest table a set makes: past it the set ends early, as a tune does at its table's end.
constexpr long long kMostSetRows = 10'000'000;

}  // namespace

SetPlay::SetPlay(PlayerView& window, melodex::Dispatch& midix)
    : window_(window), view_(window), engine_(view_, midix) {}

PlayOutcome SetPlay::play(const std::vector<SetPiece>& pieces, ChordRows chordRows,
                          const std::function<void(std::size_t piece)>& tuneStarts) {
  long long rows = 0;
  for (const SetPiece& piece : pieces) rows += static_cast<long long>(piece.tune->events.count()) * piece.times;
  EventTable table(static_cast<int>(std::min(rows, kMostSetRows)));
  std::vector<int> firstRows;
  for (const SetPiece& piece : pieces) {
    firstRows.push_back(table.count() + 1);
    for (int time = 0; time < piece.times; ++time) {
      for (int row = 1; row <= piece.tune->events.count(); ++row) table.append(piece.tune->events.row(row));
    }
  }
  view_.startPlay(std::move(firstRows), [this, &pieces, &tuneStarts](std::size_t index) {
    window_.listTuneLines(pieces[index].tune->listedLines);
    window_.showKeyText(pieces[index].tune->keyText);
    if (tuneStarts) tuneStarts(index);
  });
  return engine_.play(table, chordRows);
}

}  // namespace corvale
