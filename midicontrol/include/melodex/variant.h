#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace melodex {

// A value passed through the control's dispatch interface: empty (an omitted
// optional argument), a 32-bit integer, a 64-bit real, a string or a boolean.
using Variant = std::variant<std::monostate, std::int32_t, double, std::string, bool>;

bool isEmpty(const Variant& value);

// Conversions made where a member takes an integer, a real or a string.
// To integer: reals round halves to the even neighbour; a value outside the
// signed 32-bit range raises error 6; true is -1 and false 0; a string is read
// as a number; text that is no number raises error 13.
std::int32_t toInt32(const Variant& value);
double toDouble(const Variant& value);
std::string toText(const Variant& value);

}  // namespace melodex
