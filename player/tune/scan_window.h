#pragma once

namespace corvale {

// The body characters the scan looks at: the current one and the two after it
// (0 where the body has nothing).
struct ScanWindow {
  char32_t current = 0;
  char32_t next = 0;
  char32_t secondNext = 0;
};

}  // namespace corvale
