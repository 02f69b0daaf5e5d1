#include "player/window/readout_text.h"

namespace corvale {

std::string readoutText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace corvale
