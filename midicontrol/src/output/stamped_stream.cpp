#include "stamped_stream.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <limits>

#include "synth_word.h"

namespace melodex {

namespace {

constexpr std::int64_t kNoWordWaiting = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kEarliest = std::numeric_limits<std::int64_t>::min();
// Words taken off the queue at a time, to be played with the lock released.
constexpr std::size_t kBatch = 32;
// FluidSynth's drivers give two dry buffers, and two per effect when they
// give any; more than this is rendered without parts.
constexpr int kMostBuffers = 16;

}  // namespace

StampedStream::StampedStream(fluid_synth_t* synth, double sampleRate, std::int64_t delayMicroseconds)
    : synth_(synth), delayMicroseconds_(delayMicroseconds), lastAt_(kEarliest), clock_(sampleRate) {}

void StampedStream::post(std::int32_t word, std::int64_t atMicroseconds) {
  const std::lock_guard<std::mutex> hold(lock_);
  lastAt_ = std::max(lastAt_, atMicroseconds);
  waiting_.push_back({lastAt_, word, false});
}

void StampedStream::silence() {
  const std::lock_guard<std::mutex> hold(lock_);
  waiting_.clear();
  waiting_.push_back({kEarliest, 0, true});
  lastAt_ = kEarliest;
}

void StampedStream::render(std::int64_t nowMicroseconds, int frames, int nfx, float* fx[], int nout, float* out[]) {
  clock_.observe(nowMicroseconds, rendered_);
  // FluidSynth adds its sound to what the buffers hold.
  for (int buffer = 0; buffer < nout; ++buffer) std::fill_n(out[buffer], frames, 0.0f);
  for (int buffer = 0; buffer < nfx; ++buffer) std::fill_n(fx[buffer], frames, 0.0f);
  // More buffers than the parts have room for: the period's words all play at its start.
  const bool inParts = nout <= kMostBuffers && nfx <= kMostBuffers;
  if (!inParts) playDueWords(rendered_ + frames - 1);
  int done = 0;
  while (done < frames) {
    const std::int64_t next = inParts ? playDueWords(rendered_ + done) : kNoWordWaiting;
    const int part = static_cast<int>(std::min<std::int64_t>(frames - done, next - (rendered_ + done)));
    renderPart(done, part, nfx, fx, nout, out);
    done += part;
  }
  rendered_ += frames;
}

std::int64_t StampedStream::playDueWords(std::int64_t frame) {
  for (;;) {
    std::array<Word, kBatch> due;
    std::size_t count = 0;
    std::int64_t next = kNoWordWaiting;
    {
      const std::lock_guard<std::mutex> hold(lock_);
      while (!waiting_.empty() && count < kBatch) {
        const Word& first = waiting_.front();
        if (!first.silences) {
          const std::int64_t wordFrame = clock_.frameAt(first.at + delayMicroseconds_);
          if (wordFrame > frame) {
            next = wordFrame;
            break;
          }
        }
        due[count++] = first;
        waiting_.pop_front();
      }
    }
    for (std::size_t index = 0; index < count; ++index) {
      if (due[index].silences) {
        fluid_synth_all_sounds_off(synth_, -1);
      } else {
        playSynthWord(synth_, due[index].word);
      }
    }
    if (count < kBatch) return next;
  }
}

void StampedStream::renderPart(int offset, int frames, int nfx, float* fx[], int nout, float* out[]) {
  std::array<float*, kMostBuffers> outPart{};
  std::array<float*, kMostBuffers> fxPart{};
  if (offset > 0) {
    for (int buffer = 0; buffer < nout; ++buffer) outPart[buffer] = out[buffer] + offset;
    for (int buffer = 0; buffer < nfx; ++buffer) fxPart[buffer] = fx[buffer] + offset;
    out = outPart.data();
    fx = fxPart.data();
  }
  if (nfx == 0 || fx == nullptr) {
    fluid_synth_process(synth_, frames, nout, out, nout, out);
  } else {
    fluid_synth_process(synth_, frames, nfx, fx, nout, out);
  }
}

}  // namespace melodex
