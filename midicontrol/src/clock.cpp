#include "melodex/clock.h"

#include <chrono>

namespace melodex {

std::int64_t SteadyClock::nowMicroseconds() const {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count();
}

}  // namespace melodex
