#include "practice/row_selection.h"

#include <algorithm>

namespace corvale {

std::optional<BarRange> barSpan(const std::vector<RowPlace>& places) {
  if (places.empty()) return std::nullopt;
  BarRange span{places.front().bar, places.front().bar};
  for (const RowPlace& place : places) {
    span.first = std::min(span.first, place.bar);
    span.last = std::max(span.last, place.bar);
  }
  return span;
}

std::string partsOf(const std::vector<RowPlace>& places) {
  std::string parts;
  for (const RowPlace& place : places) {
    if (place.part != 0 && parts.find(place.part) == std::string::npos) parts += place.part;
  }
  return parts;
}

std::vector<int> rowsOfPart(const std::vector<RowPlace>& places, char part) {
  std::vector<int> rows;
  std::size_t i = 0;
  while (i < places.size() && places[i].part != part) ++i;
  for (; i < places.size() && places[i].part == part; ++i) rows.push_back(static_cast<int>(i + 1));
  return rows;
}

std::vector<int> rowsOfBars(const std::vector<RowPlace>& places, const BarRange& bars) {
  std::size_t first = 0;
  while (first < places.size() && places[first].bar != bars.first) ++first;
  // The stretch ends at the last row of the last bar before any row beyond it.
  std::optional<std::size_t> lastOfLastBar;
  for (std::size_t i = first; i < places.size() && places[i].bar <= bars.last; ++i) {
    if (places[i].bar == bars.last) lastOfLastBar = i;
  }
  std::vector<int> rows;
  if (!lastOfLastBar) return rows;
  for (std::size_t i = first; i <= *lastOfLastBar; ++i) {
    if (places[i].bar >= bars.first && places[i].bar <= bars.last) rows.push_back(static_cast<int>(i + 1));
  }
  return rows;
}

std::optional<std::size_t> firstRowOfBar(const std::vector<int>& rows, const std::vector<RowPlace>& places,
                                         std::uint32_t bar) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto row = static_cast<std::size_t>(rows[i]);
    if (row >= 1 && row <= places.size() && places[row - 1].bar == bar) return i;
  }
  return std::nullopt;
}

std::vector<std::optional<std::uint32_t>> firstBarOfLines(const std::vector<RowPlace>& places,
                                                          std::size_t lineCount) {
  std::vector<std::optional<std::uint32_t>> firstBars(lineCount);
  for (const RowPlace& place : places) {
    if (place.width == 0 || place.line >= lineCount) continue;
    std::optional<std::uint32_t>& first = firstBars[place.line];
    if (!first || place.bar < *first) first = place.bar;
  }
  return firstBars;
}

}  // namespace corvale
