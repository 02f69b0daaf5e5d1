#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace corvale::abc {

// The ornaments a player plays when asked to ("Play Ornaments"); the written note
// alone otherwise, as the ABC standard lets a player do.
enum class Ornament : std::uint8_t { None, Roll, Trill, UpperMordent, LowerMordent, Turn, InvertedTurn };

// One note of an ornament: the written note (0), the note above it in the key (+1)
// or below it (-1), and its share of the written length.
struct OrnamentNote {
  int step;
  double share;
};

// The ornament a one-letter symbol stands for: "~" a roll, "T" a trill, "P" an upper
// and "M" a lower mordent.
Ornament ornamentOfSymbol(char symbol);
// The ornament a !...! or +...+ decoration names ("trill", "roll", "mordent",
// "lowermordent", "uppermordent", "pralltriller", "turn", "turnx", "invertedturn",
// "invertedturnx"), None for any other.
Ornament ornamentOfDecoration(std::string_view name);

// The notes an ornament plays, in order; the last is always the written note, which
// a tie or a broken rhythm carries on.
std::span<const OrnamentNote> ornamentNotes(Ornament ornament);

}  // namespace corvale::abc
