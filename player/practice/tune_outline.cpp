#include "practice/tune_outline.h"

#include "practice/row_selection.h"

namespace corvale {

TuneOutline outlineOf(const ParsedTune& tune, std::uint64_t chosenTune, Reading reading) {
  TuneOutline outline;
  outline.tune = chosenTune;
  outline.timing = readTuneTiming(tune.listedLines, reading);
  if (tune.places.empty()) return outline;
  outline.parts = partsOf(tune.places);
  outline.bars = barSpan(tune.places);
  outline.firstBarOfLine = firstBarOfLines(tune.places, tune.listedLines.size());
  return outline;
}

}  // namespace corvale
