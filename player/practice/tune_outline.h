#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "practice/practice_plan.h"
#include "practice/tune_timing.h"
#include "tune/tune_parser.h"

namespace corvale {

// What the practice choices need to know of the chosen tune before it plays: its
// parts and bars (under the standard reading only), the first bar of each listed
// line, and its metre and tempo.
struct TuneOutline {
  std::uint64_t tune = 0;
  std::string parts;              // "AB": the parts in the order the tune first plays them
  std::optional<BarRange> bars;   // nothing: the reading knows no bars
  std::vector<std::optional<std::uint32_t>> firstBarOfLine;  // by listed line, from 0
  TuneTiming timing;
};

TuneOutline outlineOf(const ParsedTune& tune, std::uint64_t chosenTune, Reading reading);

}  // namespace corvale
