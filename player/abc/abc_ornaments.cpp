#include "abc/abc_ornaments.h"

#include <array>

namespace corvale::abc {
namespace {

// A roll as the classic reading plays one: the note held for half its length, then
// note, upper, note, lower in a twelfth each, and the note again for the last sixth.
constexpr std::array<OrnamentNote, 6> kRoll{{{0, 1.0 / 2}, {0, 1.0 / 12}, {1, 1.0 / 12}, {0, 1.0 / 12},
                                             {-1, 1.0 / 12}, {0, 1.0 / 6}}};
// A trill: note and upper note by turns in eighths of the length, the note last for two.
constexpr std::array<OrnamentNote, 7> kTrill{{{0, 1.0 / 8}, {1, 1.0 / 8}, {0, 1.0 / 8}, {1, 1.0 / 8},
                                              {0, 1.0 / 8}, {1, 1.0 / 8}, {0, 2.0 / 8}}};
// Mordents: the note, its neighbour in an eighth each, then the note for the rest.
constexpr std::array<OrnamentNote, 3> kUpperMordent{{{0, 1.0 / 8}, {1, 1.0 / 8}, {0, 3.0 / 4}}};
constexpr std::array<OrnamentNote, 3> kLowerMordent{{{0, 1.0 / 8}, {-1, 1.0 / 8}, {0, 3.0 / 4}}};
// Turns: four notes of a quarter each round the note, from above or from below.
constexpr std::array<OrnamentNote, 4> kTurn{{{1, 0.25}, {0, 0.25}, {-1, 0.25}, {0, 0.25}}};
constexpr std::array<OrnamentNote, 4> kInvertedTurn{{{-1, 0.25}, {0, 0.25}, {1, 0.25}, {0, 0.25}}};
constexpr std::array<OrnamentNote, 1> kWritten{{{0, 1.0}}};

}  // namespace

Ornament ornamentOfSymbol(char symbol) {
  switch (symbol) {
    case '~': return Ornament::Roll;
    case 'T': return Ornament::Trill;
    case 'P': return Ornament::UpperMordent;
    case 'M': return Ornament::LowerMordent;
    default: return Ornament::None;
  }
}

Ornament ornamentOfDecoration(std::string_view name) {
  if (name == "roll") return Ornament::Roll;
  if (name == "trill") return Ornament::Trill;
  if (name == "uppermordent" || name == "pralltriller") return Ornament::UpperMordent;
  if (name == "mordent" || name == "lowermordent") return Ornament::LowerMordent;
  if (name == "turn" || name == "turnx") return Ornament::Turn;
  if (name == "invertedturn" || name == "invertedturnx") return Ornament::InvertedTurn;
  return Ornament::None;
}

std::span<const OrnamentNote> ornamentNotes(Ornament ornament) {
  switch (ornament) {
    case Ornament::Roll: return kRoll;
    case Ornament::Trill: return kTrill;
    case Ornament::UpperMordent: return kUpperMordent;
    case Ornament::LowerMordent: return kLowerMordent;
    case Ornament::Turn: return kTurn;
    case Ornament::InvertedTurn: return kInvertedTurn;
    case Ornament::None: break;
  }
  return kWritten;
}

}  // namespace corvale::abc
