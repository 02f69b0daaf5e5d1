#pragma once

#include <cstdint>
#include <vector>

#include "tune/note_event.h"
#include "tune/row_place.h"

namespace corvale::abc {

// One thing of a tune body in written order, before repeats and parts are played out.
struct MusicItem {
  enum class Kind {
    Sound,   // a note, rest or chord: rows firstRow.. of Music::rows, the last one timed
    Bar,     // a bar line, with the repeats it starts or ends
    Ending,  // the start of a numbered ending
    Part,    // the start of a part labelled `part`
  };
  Kind kind = Kind::Sound;
  std::size_t firstRow = 0;
  std::size_t rowCount = 0;
  bool repeatEnd = false;
  bool repeatStart = false;
  bool sectionEnd = false;    // "||", "|]", "[|": a repeat without "|:" starts after it
  std::uint64_t endings = 0;  // bit n for ending n
  char part = 0;
};

struct Music {
  std::vector<MusicItem> items;
  std::vector<NoteEvent> rows;
  std::vector<RowPlace> places;  // one per row: its bar, part and place in the tune's lines
};

// The row a rest plays: the silent note the classic reading also plays.
inline NoteEvent restRow(double duration) { return NoteEvent{.note = 56, .velocity = 0, .duration = duration}; }

}  // namespace corvale::abc
