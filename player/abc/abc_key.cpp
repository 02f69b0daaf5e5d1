#include "abc/abc_key.h"

#include <algorithm>
#include <cctype>

namespace corvale::abc {
namespace {

constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::string_view kSharpOrder = "FCGDAEB";
constexpr std::string_view kFlatOrder = "BEADGCF";

// Sharps (+) or flats (-) of the major key on each natural tonic, C D E F G A B.
constexpr std::array<int, 7> kMajorFifths{0, 2, 4, -1, 1, 3, 5};

struct Mode {
  std::string_view name;  // the first three letters, lower case
  int fifths;             // moved from the major key of the same tonic
};

constexpr std::array kModes{
    Mode{"maj", 0},  Mode{"ion", 0},  Mode{"min", -3}, Mode{"aeo", -3}, Mode{"mix", -1},
    Mode{"dor", -2}, Mode{"phr", -4}, Mode{"lyd", 1},  Mode{"loc", -5},
};

bool isSpace(char c) { return c == ' ' || c == '\t'; }

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

void skipSpaces(std::string_view text, std::size_t& at) {
  while (at < text.size() && isSpace(text[at])) ++at;
}

// The letters of one word from `at`, lower case.
std::string wordAt(std::string_view text, std::size_t at) {
  std::string word;
  while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at]))) word += lower(text[at++]);
  return word;
}

void applyFifths(AbcKey& key, int fifths) {
  // Past seven, the same order goes round again: G# major raises F twice.
  for (int i = 0; i < fifths && i < 14; ++i) {
    ++key.alteration[static_cast<std::size_t>(letterIndex(kSharpOrder[static_cast<std::size_t>(i % 7)]))];
  }
  for (int i = 0; i < -fifths && i < 14; ++i) {
    --key.alteration[static_cast<std::size_t>(letterIndex(kFlatOrder[static_cast<std::size_t>(i % 7)]))];
  }
}

// Reads the mode word after the tonic; `at` moves past it when it is one.
int modeFifths(std::string_view text, std::size_t& at) {
  std::size_t probe = at;
  skipSpaces(text, probe);
  const std::string word = wordAt(text, probe);
  if (word == "m") {
    at = probe + word.size();
    return -3;
  }
  if (word.size() < 3) return 0;
  for (const Mode& mode : kModes) {
    if (word.compare(0, 3, mode.name) == 0) {
      at = probe + word.size();
      return mode.fifths;
    }
  }
  return 0;
}

bool isMode(const std::string& word) {
  if (word == "m") return true;
  return word.size() >= 3 && std::any_of(kModes.begin(), kModes.end(),
                                         [&](const Mode& mode) { return word.compare(0, 3, mode.name) == 0; });
}

// Whether a tonic starts at `at`: a capital A-G, or a small one written alone or
// with a mode ("d", "bm", "amix"), so that "bass" or "clef=..." are not read as keys.
bool tonicAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return false;
  if (text[at] >= 'A' && text[at] <= 'G') return true;
  if (text[at] < 'a' || text[at] > 'g') return false;
  std::size_t after = at + 1;
  if (after < text.size() && text[after] == '#') ++after;
  const std::string word = wordAt(text, after);
  return word.empty() || isMode(word);
}

// Accidentals written after the key ("^f", "=c", "__b") set those letters outright.
void applyExplicitAccidentals(AbcKey& key, std::string_view text, std::size_t at) {
  while (at < text.size()) {
    skipSpaces(text, at);
    std::size_t start = at;
    int alteration = 0;
    bool marked = false;
    while (at < text.size() && (text[at] == '^' || text[at] == '_' || text[at] == '=')) {
      alteration += text[at] == '^' ? 1 : text[at] == '_' ? -1 : 0;
      marked = true;
      ++at;
    }
    if (marked && at < text.size() && letterIndex(text[at]) >= 0) {
      key.alteration[static_cast<std::size_t>(letterIndex(text[at]))] = alteration;
      ++at;
      continue;
    }
    at = start;
    while (at < text.size() && !isSpace(text[at])) ++at;  // a clef or other word
  }
}

}  // namespace

int letterIndex(char letter) {
  const std::size_t at = kLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

AbcKey AbcKey::read(std::string_view text) {
  AbcKey key;
  std::size_t at = 0;
  skipSpaces(text, at);
  if (at + 1 < text.size() && text[at] == 'H' && lower(text[at + 1]) == 'p' &&
      (at + 2 == text.size() || !std::isalpha(static_cast<unsigned char>(text[at + 2])))) {
    // Highland pipe music: "HP" is written without a signature and "Hp" marks F and C
    // sharp, but the chanter sounds F and C sharp either way.
    applyFifths(key, 2);
    applyExplicitAccidentals(key, text, at + 2);
    return key;
  }
  const std::string first = wordAt(text, at);
  if (first == "none" || first == "exp") {
    applyExplicitAccidentals(key, text, at + first.size());
    return key;
  }
  if (!tonicAt(text, at)) {
    applyExplicitAccidentals(key, text, at);
    return key;
  }
  int fifths = kMajorFifths[static_cast<std::size_t>(letterIndex(text[at]))];
  ++at;
  if (at < text.size() && text[at] == '#') {
    fifths += 7;
    ++at;
  } else if (at < text.size() && text[at] == 'b') {
    fifths -= 7;
    ++at;
  }
  fifths += modeFifths(text, at);
  std::size_t probe = at;
  skipSpaces(text, probe);
  if (wordAt(text, probe) == "exp") {
    applyExplicitAccidentals(key, text, probe + 3);
    return key;
  }
  applyFifths(key, fifths);
  applyExplicitAccidentals(key, text, at);
  return key;
}

bool AbcKey::namesKey(std::string_view text) {
  std::size_t at = 0;
  skipSpaces(text, at);
  if (at >= text.size()) return false;
  if (tonicAt(text, at)) return true;
  const std::string word = wordAt(text, at);
  return word == "none" || word == "exp" || word == "hp" || text[at] == '^' || text[at] == '_' || text[at] == '=';
}

int AbcKey::alterationOf(char upperLetter) const {
  const int index = letterIndex(upperLetter);
  return index < 0 ? 0 : alteration[static_cast<std::size_t>(index)];
}

std::string AbcKey::signatureText() const {
  // Sharps in the order a signature writes them, then flats in theirs.
  std::string text;
  auto add = [&](char letter) {
    const int semitones = alterationOf(letter);
    if (!text.empty()) text += ' ';
    text += letter;
    text += std::string(static_cast<std::size_t>(semitones > 0 ? semitones : -semitones), semitones > 0 ? '#' : 'b');
  };
  for (char letter : kSharpOrder) {
    if (alterationOf(letter) > 0) add(letter);
  }
  for (char letter : kFlatOrder) {
    if (alterationOf(letter) < 0) add(letter);
  }
  return text;
}

}  // namespace corvale::abc
