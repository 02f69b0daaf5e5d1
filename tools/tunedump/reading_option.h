#pragma once

#include <string>
#include <vector>

#include "abc/tune_reading.h"

namespace corvale {

// The arguments with every "--standard" and "--ornaments" taken out, and the reading
// they ask for: the standard ABC reading when "--standard" was given, else the classic
// one; "--ornaments" plays ornaments out under the standard reading.
struct ReadingChoice {
  Reading reading = Reading::Classic;
  ReadingOptions options;
  std::vector<std::string> args;
};

ReadingChoice takeReadingOption(const std::vector<std::string>& args);

}  // namespace corvale
