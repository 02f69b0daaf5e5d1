#include "abc/abc_accidentals.h"

#include <algorithm>

#include "abc/abc_fields.h"

namespace corvale::abc {

void BarAccidentals::readDirective(std::string_view text) {
  text = trimmed(text);
  constexpr std::string_view kName = "propagate-accidentals";
  if (!text.starts_with(kName)) return;
  const std::string_view value = trimmed(text.substr(kName.size()));
  if (value.starts_with("not")) reach_ = Reach::Note;
  else if (value.starts_with("octave")) reach_ = Reach::Octave;
  else if (value.starts_with("pitch")) reach_ = Reach::Pitch;
}

std::optional<int> BarAccidentals::peek(int letter, int natural) const {
  if (reach_ == Reach::Note) return std::nullopt;
  const auto kept = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& entry) {
    return entry.letter == letter && (reach_ == Reach::Pitch || entry.natural == natural);
  });
  if (kept == kept_.end()) return std::nullopt;
  return kept->semitones;
}

std::optional<int> BarAccidentals::of(const WrittenNote& note) {
  if (!note.accidental) return peek(note.letter, note.natural);
  if (reach_ != Reach::Note) {
    // A later accidental of the same letter (and octave) replaces the one kept.
    std::erase_if(kept_, [&](const Kept& entry) {
      return entry.letter == note.letter && (reach_ == Reach::Pitch || entry.natural == note.natural);
    });
    kept_.push_back({note.letter, note.natural, *note.accidental});
  }
  return note.accidental;
}

}  // namespace corvale::abc
