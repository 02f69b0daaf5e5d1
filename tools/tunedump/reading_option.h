#pragma once

#include <string>
#include <vector>

#include "abc/tune_reading.h"

namespace corvale {

// The arguments with every "--standard" taken out, and the reading they ask for:
// the standard ABC reading when "--standard" was given, else the classic one.
struct ReadingChoice {
  Reading reading = Reading::Classic;
  std::vector<std::string> args;
};

ReadingChoice takeReadingOption(const std::vector<std::string>& args);

}  // namespace corvale
