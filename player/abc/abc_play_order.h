#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "abc/abc_music.h"
#include "tune/event_table.h"

namespace corvale::abc {

// Writes the music of a tune body into `table` in order of play: repeats played
// twice, first, second and numbered endings on their passes, a repeat without a
// start going back to the tune's start or the last double bar, and, when the header
// gives an order of parts (`partOrder`, "AABB", "A2B", "(AB)2C") and the body labels
// them, the parts in that order. Every row written gets its place in `places`, with
// the pass of the repeat it is played on. Stops when the table is full; a bounded
// amount of work, whatever the music.
void writePlayOrder(const Music& music, std::string_view partOrder, EventTable& table,
                    std::vector<RowPlace>& places);

}  // namespace corvale::abc
