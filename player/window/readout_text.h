#pragma once

#include <string>

namespace corvale {

// A slider value as its readout shows it: the number after a sign position,
// a space for zero and up (" 0", " 11"), "-" below zero.
std::string readoutText(int value);

}  // namespace corvale
