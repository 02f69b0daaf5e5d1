#include "melodex/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "melodex/runtime_error.h"

namespace melodex {

namespace {

// Reads text the way a host converts a string argument to a number: blanks
// around the number are allowed, anything else is a type mismatch.
double parseNumber(const std::string& text) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin) throw RuntimeError(kTypeMismatch, "Type mismatch: \"" + text + "\" is not a number");
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') throw RuntimeError(kTypeMismatch, "Type mismatch: \"" + text + "\" is not a number");
  return value;
}

// Rounds to the nearest integer, a half going to the even neighbour, as the
// control's integer conversion has always done (2.5 -> 2, 3.5 -> 4).
double roundHalfToEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

}  // namespace

bool isEmpty(const Variant& value) { return std::holds_alternative<std::monostate>(value); }

double toDouble(const Variant& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* real = std::get_if<double>(&value)) return *real;
  if (const auto* text = std::get_if<std::string>(&value)) return parseNumber(*text);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? -1.0 : 0.0;
  return 0.0;
}

std::int32_t toInt32(const Variant& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  const double rounded = roundHalfToEven(toDouble(value));
  // NaN fails both comparisons, so it is refused here too.
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw RuntimeError(kOverflow, "Overflow: the value does not fit a 32-bit integer");
  }
  return static_cast<std::int32_t>(rounded);
}

std::string toText(const Variant& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  if (const auto* real = std::get_if<double>(&value)) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", *real);
    return buffer;
  }
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  return {};
}

}  // namespace melodex
