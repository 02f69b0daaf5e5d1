#pragma once

#include <optional>
#include <string_view>

#include "tune/tune_tempo.h"

namespace corvale::abc {

// The tempo of a Q: field in every form: "1/4=120", "3/8=40", beats made of several
// lengths ("1/4 3/8=40"), with texts in quotes around them ("\"Allegro\" 1/4=120"),
// and the old forms "120" and "C=120", whose beat is the unit length (`unitLength`,
// in eighths). Nothing for a text alone or a number it cannot use.
std::optional<TuneTempo> readTempo(std::string_view fieldText, double unitLength);

}  // namespace corvale::abc
