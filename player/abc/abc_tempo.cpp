#include "abc/abc_tempo.h"

#include <string>

#include "abc/abc_fields.h"

namespace corvale::abc {
namespace {

constexpr double kFastestBeats = 10000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text without its quoted parts.
std::string unquoted(std::string_view text) {
  std::string plain;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    else if (!quoted) plain += c;
  }
  return plain;
}

// The beat before "=": lengths such as "1/4" or "3/8" added up, in eighths, or the
// unit length for "C" or "C2"; nothing when it holds anything else.
std::optional<double> beatOf(std::string_view text, double unitLength) {
  text = trimmed(text);
  if (text.starts_with('C') || text.starts_with('L')) {
    std::size_t at = 1;
    const int units = at < text.size() && isDigit(text[at]) ? readNumber(text, at) : 1;
    if (at != text.size() || units <= 0) return std::nullopt;
    return units * unitLength;
  }
  double beat = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ' || text[at] == '\t') {
      ++at;
      continue;
    }
    const int top = readNumber(text, at);
    if (top <= 0 || at >= text.size() || text[at] != '/') return std::nullopt;
    ++at;
    const int bottom = readNumber(text, at);
    if (bottom <= 0) return std::nullopt;
    beat += 8.0 * top / bottom;
  }
  if (beat <= 0) return std::nullopt;
  return beat;
}

}  // namespace

std::optional<TuneTempo> readTempo(std::string_view fieldText, double unitLength) {
  const std::string text = unquoted(fieldText);
  const std::string_view plain = trimmed(text);
  const std::size_t equals = plain.find('=');
  std::optional<double> beat;
  std::string_view count = plain;
  if (equals == std::string_view::npos) {
    beat = unitLength;  // "Q:120": beats of the unit length
  } else {
    beat = beatOf(plain.substr(0, equals), unitLength);
    count = trimmed(plain.substr(equals + 1));
  }
  std::size_t at = 0;
  const int beats = readNumber(count, at);
  if (!beat || *beat <= 0 || at == 0 || at != count.size() || beats <= 0) return std::nullopt;
  return TuneTempo{static_cast<double>(beats) > kFastestBeats ? kFastestBeats : beats, *beat};
}

}  // namespace corvale::abc
