#include "abc/abc_parts.h"

#include <algorithm>

namespace corvale::abc {
namespace {

// Whether a bar line closes a section: a double bar or a repeat sign, unless an
// ending follows it, which is still the same section.
bool closesSection(const Music& music, std::size_t at) {
  const MusicItem& bar = music.items[at];
  if (bar.kind != MusicItem::Kind::Bar || !(bar.sectionEnd || bar.repeatStart || bar.repeatEnd)) return false;
  return at + 1 >= music.items.size() || music.items[at + 1].kind != MusicItem::Kind::Ending;
}

void label(Music& music, const MusicItem& sound, char part) {
  const std::size_t last = std::min<std::size_t>(sound.firstRow + sound.rowCount, music.places.size());
  for (std::size_t row = sound.firstRow; row < last; ++row) music.places[row].part = part;
}

}  // namespace

Music::Music() {
  items.reserve(kMostItems);
  rows.reserve(kMostWrittenRows);
  places.reserve(kMostWrittenRows);
}

void nameParts(Music& music) {
  const bool labelled = std::any_of(music.items.begin(), music.items.end(),
                                    [](const MusicItem& item) { return item.kind == MusicItem::Kind::Part; });
  char part = labelled ? 0 : 'A';
  bool sounded = false;
  for (std::size_t i = 0; i < music.items.size(); ++i) {
    const MusicItem& item = music.items[i];
    if (item.kind == MusicItem::Kind::Sound) {
      label(music, item, part);
      sounded = true;
    } else if (labelled && item.kind == MusicItem::Kind::Part) {
      part = item.part;
    } else if (!labelled && sounded && part < 'Z' && closesSection(music, i)) {
      ++part;
      sounded = false;
    }
  }
}

}  // namespace corvale::abc
