#pragma once

#include <cstdint>

namespace melodex {

// The millisecond counter of timed notes, read to the microsecond from a 64-bit
// monotonic source so that nothing overflows however long the machine has run.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t nowMicroseconds() const = 0;
};

// The real clock: std::chrono::steady_clock.
class SteadyClock final : public Clock {
 public:
  std::int64_t nowMicroseconds() const override;
};

// A clock that moves only when told to: tests and tools own time with it.
class VirtualClock final : public Clock {
 public:
  std::int64_t nowMicroseconds() const override { return now_; }
  void advanceTo(std::int64_t microseconds) {
    if (microseconds > now_) now_ = microseconds;
  }
  void advanceBy(std::int64_t microseconds) { now_ += microseconds; }

 private:
  std::int64_t now_ = 0;
};

}  // namespace melodex
