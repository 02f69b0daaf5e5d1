#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace melodex {

// Which frame of the built-in synthesiser's audio stream belongs to a moment
// on the control's clock. The stream has no clock of its own that the window
// can read, only its callbacks: at each, the audio thread tells the time and
// how many frames the stream has rendered before it, and from these the clock
// estimates the moment of frame 0, its anchor.
//
// A callback can only come late, never early: the audio system asks for a
// period when it has room for one, and the thread may then wait to be
// scheduled. So each observation gives an upper bound of the anchor, and the
// least of the recent ones is the best estimate; a window of a couple of
// seconds is long enough to hold callbacks that came on time, and short
// enough to follow the slow drift between the sound card and the clock. A
// stall (no callback for 100 ms: the audio server paused the stream, or the
// machine was busy) breaks the relation between frames and time, so the old
// observations are forgotten then.
//
// Used by the audio thread alone: no locking.
class SampleClock {
 public:
  static constexpr std::int64_t kWindowMicroseconds = 2'000'000;
  static constexpr std::int64_t kStallMicroseconds = 100'000;

  explicit SampleClock(double sampleRate) : sampleRate_(sampleRate) {}

  // A callback began at `nowMicroseconds` with `framesRendered` frames of the
  // stream rendered before it.
  void observe(std::int64_t nowMicroseconds, std::int64_t framesRendered);
  bool anchored() const { return count_ > 0; }
  // The control-clock time of frame 0; only once anchored.
  double anchorMicroseconds() const;
  // The frame nearest to `microseconds`.
  std::int64_t frameAt(std::int64_t microseconds) const;

 private:
  struct Observation {
    std::int64_t time;
    double anchor;
  };
  // Observations whose anchors rise from the oldest to the newest: one later
  // and lower makes every earlier, higher one useless, so the least anchor of
  // the window is always the oldest kept. Enough room for 2 s of 64-frame periods.
  static constexpr std::size_t kCapacity = 2048;

  const Observation& at(std::size_t index) const { return kept_[(first_ + index) % kCapacity]; }

  double sampleRate_;
  std::array<Observation, kCapacity> kept_{};
  std::size_t first_ = 0;
  std::size_t count_ = 0;
  std::int64_t lastObserved_ = 0;
};

}  // namespace melodex
