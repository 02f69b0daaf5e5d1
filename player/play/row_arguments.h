#pragma once

#include <cstdint>

#include "melodex/variant.h"
#include "tune/note_event.h"

namespace corvale {

inline constexpr int kLowestBoxNote = 55;  // box 0 is the open G string
inline constexpr int kBoxCount = 31;

// A row's note, velocity and channel as the control takes them: 32-bit
// integers, halves rounded to even; a value out of range raises overflow.
struct RowArguments {
  std::int32_t note;
  std::int32_t velocity;
  std::int32_t channel;
  double duration;
};

inline RowArguments argumentsOf(const NoteEvent& event) {
  return {melodex::toInt32(event.note), melodex::toInt32(event.velocity), melodex::toInt32(event.channel),
          event.duration};
}

inline bool hasBox(std::int32_t note) { return note >= kLowestBoxNote && note < kLowestBoxNote + kBoxCount; }

}  // namespace corvale
