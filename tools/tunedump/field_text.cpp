#include "field_text.h"

namespace corvale {

std::string escapeControls(std::string_view text) {
  std::string printed;
  printed.reserve(text.size());
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20U) {
      printed.push_back(c);
      continue;
    }
    switch (code) {
      case '\t': printed += "\\t"; break;
      case '\0': printed += "\\0"; break;
      case '\r': printed += "\\r"; break;
      case '\n': printed += "\\n"; break;
      default: {
        constexpr char kHex[] = "0123456789ABCDEF";
        printed += "\\x";
        printed.push_back(kHex[code >> 4]);
        printed.push_back(kHex[code & 0xFU]);
      }
    }
  }
  return printed;
}

}  // namespace corvale
