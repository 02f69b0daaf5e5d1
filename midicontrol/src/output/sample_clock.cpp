#include "sample_clock.h"

#include <cmath>

namespace melodex {

void SampleClock::observe(std::int64_t nowMicroseconds, std::int64_t framesRendered) {
  if (count_ > 0 && nowMicroseconds - lastObserved_ > kStallMicroseconds) count_ = 0;
  lastObserved_ = nowMicroseconds;
  const double anchor = static_cast<double>(nowMicroseconds) - static_cast<double>(framesRendered) * 1e6 / sampleRate_;
  while (count_ > 0 && at(count_ - 1).anchor >= anchor) --count_;
  while (count_ > 0 && (at(0).time < nowMicroseconds - kWindowMicroseconds || count_ == kCapacity)) {
    first_ = (first_ + 1) % kCapacity;
    --count_;
  }
  kept_[(first_ + count_) % kCapacity] = {nowMicroseconds, anchor};
  ++count_;
}

double SampleClock::anchorMicroseconds() const { return at(0).anchor; }

std::int64_t SampleClock::frameAt(std::int64_t microseconds) const {
  return std::llround((static_cast<double>(microseconds) - anchorMicroseconds()) * sampleRate_ / 1e6);
}

}  // namespace melodex
