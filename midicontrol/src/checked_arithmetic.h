#pragma once

#include <cstdint>

#include "melodex/runtime_error.h"

namespace melodex {

// 32-bit arithmetic of message words: a result outside the signed 32-bit
// range is the overflow error, never a wrapped value sent to the synthesiser.
inline std::int32_t checkedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) throw RuntimeError(kOverflow, "Overflow in a MIDI message value");
  return sum;
}

inline std::int32_t checkedMultiply(std::int32_t a, std::int32_t b) {
  std::int32_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) throw RuntimeError(kOverflow, "Overflow in a MIDI message value");
  return product;
}

}  // namespace melodex
