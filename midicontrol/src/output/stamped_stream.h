#pragma once

#include <cstdint>
#include <deque>
#include <mutex>

#include "sample_clock.h"

struct _fluid_synth_t;

namespace melodex {

// The built-in synthesiser's sound as its audio callback renders it, with
// every message word played at the frame of its own time. The window's thread
// sends a word when the note is due, but a word given to the synthesiser at
// once would wait for the next period to be rendered, up to a whole period
// late. Here each word keeps its time, and is played at the frame that sounds
// that time plus a fixed delay: one period, so that the callback rendering
// the frame comes after the word has arrived, and a margin for the window's
// thread being a few milliseconds late. The period is rendered in parts
// split at those frames; FluidSynth takes a word at the start of its next
// 64-frame block, so a word lands within 64 frames of its place.
//
// Words play in the order they were posted: a time earlier than the one
// before it counts as that one. A word whose frame has been rendered already
// plays at once. The window's thread posts; the audio thread renders; the
// queue between them is held under a small lock for a push or a pop, never
// while the synthesiser works.
class StampedStream {
 public:
  StampedStream(_fluid_synth_t* synth, double sampleRate, std::int64_t delayMicroseconds);

  std::int64_t delayMicroseconds() const { return delayMicroseconds_; }

  // Window's thread: `word` to sound at `atMicroseconds` plus the delay.
  void post(std::int32_t word, std::int64_t atMicroseconds);
  // Window's thread: the words not yet played are dropped, and every voice
  // stops at the start of the next period rendered; words posted after this
  // play as usual.
  void silence();

  // Audio thread: renders `frames` frames begun at `nowMicroseconds`, into
  // buffers FluidSynth's audio driver gives (its effects mixed into the dry
  // buffers when it gives none for them).
  void render(std::int64_t nowMicroseconds, int frames, int nfx, float* fx[], int nout, float* out[]);

 private:
  struct Word {
    std::int64_t at;
    std::int32_t word;
    bool silences;  // in place of a word: every voice stops
  };

  // Plays the words due by `frame`; returns the frame of the next one waiting.
  std::int64_t playDueWords(std::int64_t frame);
  void renderPart(int offset, int frames, int nfx, float* fx[], int nout, float* out[]);

  _fluid_synth_t* synth_;
  const std::int64_t delayMicroseconds_;

  std::mutex lock_;
  std::deque<Word> waiting_;  // under lock_
  std::int64_t lastAt_;       // under lock_

  SampleClock clock_;  // audio thread only
  std::int64_t rendered_ = 0;
};

}  // namespace melodex
