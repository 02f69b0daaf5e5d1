#pragma once

namespace corvale {

// What the musician may ask of the standard reading beyond the written notes.
struct ReadingOptions {
  bool playOrnaments = false;  // rolls, trills, mordents and turns played out
};

}  // namespace corvale
