#include "abc/abc_note_reader.h"

#include <array>

#include "abc/abc_fields.h"
#include "abc/abc_key.h"

namespace corvale::abc {
namespace {

constexpr std::array<int, 7> kNaturalOfLetter{60, 62, 64, 65, 67, 69, 71};
// Octave marks past this many are read but no longer move the note: it is far outside
// what any instrument plays already.
constexpr int kOctaveLimit = 12;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double readLength(std::string_view text, std::size_t& at) {
  double length = 1;
  if (at < text.size() && isDigit(text[at])) length = readNumber(text, at);
  while (at < text.size() && text[at] == '/') {
    ++at;
    const int divisor = at < text.size() && isDigit(text[at]) ? readNumber(text, at) : 2;
    if (divisor > 0) length /= divisor;
  }
  return length;
}

std::optional<WrittenNote> readWrittenNote(std::string_view text, std::size_t& at) {
  std::size_t probe = at;
  WrittenNote note;
  while (probe < text.size() && (text[probe] == '^' || text[probe] == '_' || text[probe] == '=')) {
    note.accidental = note.accidental.value_or(0) + (text[probe] == '^' ? 1 : text[probe] == '_' ? -1 : 0);
    ++probe;
  }
  if (probe >= text.size()) return std::nullopt;
  const char letter = text[probe];
  const bool lower = letter >= 'a' && letter <= 'g';
  if (!lower && !(letter >= 'A' && letter <= 'G')) return std::nullopt;
  note.letter = letterIndex(letter);
  note.natural = kNaturalOfLetter[static_cast<std::size_t>(note.letter)] + (lower ? 12 : 0);
  ++probe;
  int octaves = 0;
  while (probe < text.size() && (text[probe] == ',' || text[probe] == '\'')) {
    if (octaves > -kOctaveLimit && octaves < kOctaveLimit) octaves += text[probe] == '\'' ? 1 : -1;
    ++probe;
  }
  note.natural += 12 * octaves;
  note.length = readLength(text, probe);
  at = probe;
  return note;
}

}  // namespace corvale::abc
