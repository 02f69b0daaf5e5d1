#include "abc/abc_fields.h"

#include <cctype>

namespace corvale::abc {
namespace {

constexpr int kLargestNumber = 100000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

int readNumber(std::string_view text, std::size_t& at) {
  int value = 0;
  while (at < text.size() && isDigit(text[at])) {
    if (value < kLargestNumber) value = value * 10 + (text[at] - '0');
    ++at;
  }
  return value;
}

std::optional<Field> fieldOfLine(std::string_view line, bool inBody) {
  if (line.size() < 2 || line[1] != ':') return std::nullopt;
  const char letter = line[0];
  if (std::isalpha(static_cast<unsigned char>(letter)) == 0 && letter != '+') return std::nullopt;
  // In a body, a note letter before a repeat sign ("B:|", "c::") is music.
  const bool noteLetter = (letter >= 'A' && letter <= 'G') || (letter >= 'a' && letter <= 'g');
  if (inBody && noteLetter && line.size() > 2 && (line[2] == '|' || line[2] == ':')) return std::nullopt;
  return Field{letter, line.substr(2)};
}

std::optional<Meter> readMeter(std::string_view text) {
  text = trimmed(text);
  if (text == "C") return Meter{1, false};
  if (text == "C|") return Meter{1, false};
  // "2/4", "6/8" and the sums of "(2+3)/8" or "2+3/8".
  std::size_t at = 0;
  if (at < text.size() && text[at] == '(') ++at;
  int top = 0;
  bool any = false;
  while (at < text.size() && isDigit(text[at])) {
    top += readNumber(text, at);
    any = true;
    if (at < text.size() && text[at] == '+') ++at;
  }
  if (at < text.size() && text[at] == ')') ++at;
  if (!any || at >= text.size() || text[at] != '/') return std::nullopt;
  ++at;
  const int bottom = readNumber(text, at);
  if (top <= 0 || bottom <= 0) return std::nullopt;
  return Meter{static_cast<double>(top) / bottom, bottom == 8 && top % 3 == 0 && top > 3};
}

std::optional<double> readUnitLength(std::string_view text) {
  text = trimmed(text);
  std::size_t at = 0;
  const int top = readNumber(text, at);
  int bottom = 1;
  if (at < text.size() && text[at] == '/') {
    ++at;
    bottom = readNumber(text, at);
  }
  if (top <= 0 || bottom <= 0) return std::nullopt;
  return 8.0 * top / bottom;
}

double defaultUnitLength(const std::optional<Meter>& meter) {
  return meter && meter->wholeNotes < 0.75 ? 0.5 : 1.0;
}

}  // namespace corvale::abc
