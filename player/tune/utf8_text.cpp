#include "tune/utf8_text.h"

#include <cstdint>
#include <cstring>

namespace corvale {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

// Width of a well-formed sequence starting at `text[pos]`, or 0 when it is malformed
// (overlong forms, surrogates and codes above U+10FFFF included).
std::size_t sequenceWidth(std::string_view text, std::size_t pos) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const std::size_t left = text.size() - pos;
  const unsigned char lead = at(0);
  if (lead < 0x80U) return 1;
  if (lead >= 0xC2U && lead <= 0xDFU) return left >= 2 && isContinuation(at(1)) ? 2 : 0;
  if (lead >= 0xE0U && lead <= 0xEFU) {
    if (left < 3 || !isContinuation(at(1)) || !isContinuation(at(2))) return 0;
    if (lead == 0xE0U && at(1) < 0xA0U) return 0;   // overlong
    if (lead == 0xEDU && at(1) >= 0xA0U) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0U && lead <= 0xF4U) {
    if (left < 4 || !isContinuation(at(1)) || !isContinuation(at(2)) || !isContinuation(at(3))) return 0;
    if (lead == 0xF0U && at(1) < 0x90U) return 0;  // overlong
    if (lead == 0xF4U && at(1) >= 0x90U) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  const std::size_t size = bytes.size();
  while (pos < size) {
    // Tune files are mostly ASCII: step over eight plain bytes at a time.
    if (pos + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + pos, sizeof word);
      if ((word & 0x8080808080808080ULL) == 0) {
        pos += 8;
        continue;
      }
    }
    const std::size_t width = sequenceWidth(bytes, pos);
    if (width == 0) return false;
    pos += width;
  }
  return true;
}

void widenLatin1ToUtf8(std::string& bytes) {
  const std::size_t oldSize = bytes.size();
  std::size_t high = 0;
  for (const char c : bytes) high += static_cast<unsigned char>(c) >> 7;
  if (high == 0) return;
  bytes.resize(oldSize + high);
  // From the end backwards, so every byte is read before its place is written.
  std::size_t to = bytes.size();
  for (std::size_t from = oldSize; from-- > 0;) {
    const auto byte = static_cast<unsigned char>(bytes[from]);
    if (byte < 0x80U) {
      bytes[--to] = static_cast<char>(byte);
    } else {
      bytes[--to] = static_cast<char>(0x80U | (byte & 0x3FU));
      bytes[--to] = static_cast<char>(0xC0U | (byte >> 6));
    }
  }
}

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80U) return lead;
  std::size_t extra = lead >= 0xF0U ? 3 : lead >= 0xE0U ? 2 : 1;
  char32_t code = lead & (0x3FU >> extra);
  while (extra-- > 0 && pos < text.size()) {
    code = (code << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3FU);
  }
  return code;
}

std::string_view utf8Slice(std::string_view text, std::size_t skipChars, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < skipChars && pos < text.size(); ++i) nextCodePoint(text, pos);
  const std::size_t begin = pos;
  for (std::size_t i = 0; i < maxChars && pos < text.size(); ++i) nextCodePoint(text, pos);
  return text.substr(begin, pos - begin);
}

char32_t codePointAt(std::string_view text, std::size_t n) {
  const std::string_view one = utf8Slice(text, n - 1, 1);
  if (one.empty()) return 0;
  std::size_t pos = 0;
  return nextCodePoint(one, pos);
}

}  // namespace corvale
