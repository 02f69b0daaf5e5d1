#include "abc/abc_transposition.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace corvale::abc {
namespace {

// Farther than any instrument sounds: a larger number is read as this.
constexpr int kLargestShift = 48;
constexpr int kLargestOctaves = 4;

constexpr std::array<std::string_view, 9> kClefs{"treble", "bass", "alto", "tenor", "baritone",
                                                  "soprano", "mezzosoprano", "perc", "none"};

int clampedNumber(std::string_view text) {
  int value = 0;
  const char* begin = text.data();
  if (!text.empty() && text.front() == '+') ++begin;
  const auto result = std::from_chars(begin, text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) value = text.front() == '-' ? -kLargestShift : kLargestShift;
  return std::clamp(value, -kLargestShift, kLargestShift);
}

// The octaves of a clef name's mark: "-8" or "_8" one down, "+8" or "^8" one up, 15 two.
std::optional<int> clefOctavesOf(std::string_view word) {
  for (std::string_view clef : kClefs) {
    if (!word.starts_with(clef)) continue;
    std::string_view mark = word.substr(clef.size());
    while (!mark.empty() && mark.front() >= '1' && mark.front() <= '5') mark.remove_prefix(1);  // "treble2": its line
    if (mark.empty()) return 0;
    const int direction = mark.front() == '-' || mark.front() == '_' ? -1 : mark.front() == '+' || mark.front() == '^' ? 1 : 0;
    const std::string_view size = mark.substr(1);
    if (direction == 0 || (size != "8" && size != "15")) return std::nullopt;
    return direction * (size == "8" ? 1 : 2);
  }
  return std::nullopt;
}

}  // namespace

void Transposition::read(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
    const std::string_view word = text.substr(start, end - start);
    at = end;
    if (word.starts_with("transpose=")) {
      semitones = clampedNumber(word.substr(10));
    } else if (word.starts_with("octave=")) {
      octaves = std::clamp(clampedNumber(word.substr(7)), -kLargestOctaves, kLargestOctaves);
    } else if (const auto clefOctave = clefOctavesOf(word.starts_with("clef=") ? word.substr(5) : word)) {
      clefOctaves = *clefOctave;
    }
  }
}

}  // namespace corvale::abc
