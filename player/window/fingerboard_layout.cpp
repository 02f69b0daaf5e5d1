#include "player/window/fingerboard_layout.h"

namespace corvale {

std::uint32_t boxColour(int box) {
  switch (box) {
    case 0: return kRed;
    case 7: return kYellow;
    case 14: return kMagenta;
    case 21: return kGreen;
    default: break;
  }
  if (box > 20) return 0xC0FFC0;  // light green, E string
  if (box > 13) return 0xFF80FF;  // light magenta, A string
  if (box > 6) return 0xFFFF80;   // light yellow, D string
  return 0xFF8080;                // light red, G string
}

}  // namespace corvale
