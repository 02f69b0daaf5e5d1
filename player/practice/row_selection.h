#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "practice/practice_plan.h"
#include "tune/row_place.h"

namespace corvale {

// Choosing rows of a tune's play order by where they stand in the written tune.
// `places[i]` is the place of row i + 1; the rows given back count from 1.

// The first and last bar any row stands in; nothing for a tune without rows.
std::optional<BarRange> barSpan(const std::vector<RowPlace>& places);

// The parts in the order the tune first plays them.
std::string partsOf(const std::vector<RowPlace>& places);

// Part `part` as the tune first plays it: the rows from its first one for as long
// as the music stays in it, its own repeats and endings included.
std::vector<int> rowsOfPart(const std::vector<RowPlace>& places, char part);

// Bars `bars` as the tune plays them: from the first time bar `first` sounds to the
// last time bar `last` sounds before the music goes on past it, keeping only the
// rows within the bars. Over a first and second ending (bars 7-9 of
// "|: 1 ... 7 |1 8 :|2 9 |") that is 7 8 7 9: the first ending, then the second.
std::vector<int> rowsOfBars(const std::vector<RowPlace>& places, const BarRange& bars);

// Where in `rows` bar `bar` first sounds; nothing when it does not.
std::optional<std::size_t> firstRowOfBar(const std::vector<int>& rows, const std::vector<RowPlace>& places,
                                         std::uint32_t bar);

// For each of a tune's `lineCount` listed lines, the first bar written on it, or
// nothing for a line without music.
std::vector<std::optional<std::uint32_t>> firstBarOfLines(const std::vector<RowPlace>& places,
                                                          std::size_t lineCount);

}  // namespace corvale
