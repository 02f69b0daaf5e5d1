#pragma once

#include <optional>
#include <string_view>

namespace corvale::abc {

// A field line or inline field split into its letter and text ("K", " Gmaj").
struct Field {
  char letter;
  std::string_view text;
};

// The field a line holds, when it starts with a letter and a colon. In a tune body a
// note letter followed by a repeat sign is music, not a field.
std::optional<Field> fieldOfLine(std::string_view line, bool inBody);

// The meter of an M: field, in whole notes per bar ("6/8" is 0.75, "C" 1, "C|" 1,
// "(2+3)/8" 0.625); nothing for "none" or a text it cannot read.
struct Meter {
  double wholeNotes = 1;
  bool compound = false;  // 6/8, 9/8, 12/8...: tuplets of 3 or more take three beats
};
std::optional<Meter> readMeter(std::string_view text);

// The note length of an L: field in eighth notes ("1/8" is 1, "1/16" 0.5); nothing
// for a text it cannot read.
std::optional<double> readUnitLength(std::string_view text);

// The unit length a tune takes without L:: a sixteenth below a meter of 3/4, else an
// eighth (and an eighth without a meter).
double defaultUnitLength(const std::optional<Meter>& meter);

// Text without the spaces around it.
std::string_view trimmed(std::string_view text);

// A run of digits from `at` (moving past it), capped so no written number overflows.
int readNumber(std::string_view text, std::size_t& at);

}  // namespace corvale::abc
