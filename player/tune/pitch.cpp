#include "tune/pitch.h"

namespace corvale {

namespace {

int naturalNoteNumber(char32_t upperLetter) {
  switch (upperLetter) {
    case U'C': return 60;
    case U'D': return 62;
    case U'E': return 64;
    case U'F': return 65;
    case U'G': return 67;
    case U'A': return 69;
    default: return 71;  // B
  }
}

}  // namespace

bool isNoteLetter(char32_t c) { return (c >= U'A' && c <= U'G') || (c >= U'a' && c <= U'g'); }

int writtenNoteNumber(char32_t letter, char32_t octaveMark) {
  const bool lowerCase = letter >= U'a';
  int note = naturalNoteNumber(lowerCase ? letter - (U'a' - U'A') : letter) + (lowerCase ? 12 : 0);
  if (octaveMark == U',') note -= 12;
  if (octaveMark == U'\'') note += 12;
  return note;
}

}  // namespace corvale
