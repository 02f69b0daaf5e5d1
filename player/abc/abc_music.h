#pragma once

#include <cstdint>
#include <vector>

#include "tune/note_event.h"
#include "tune/row_place.h"

namespace corvale::abc {

// One thing of a tune body in written order, before repeats and parts are played out.
struct MusicItem {
  enum class Kind : std::uint8_t {
    Sound,   // a note, rest or chord: rows firstRow.. of Music::rows, the last one timed
    Bar,     // a bar line, with the repeats it starts or ends
    Ending,  // the start of a numbered ending
    Part,    // the start of a part labelled `part`
  };
  std::uint64_t endings = 0;  // bit n for ending n
  std::uint32_t firstRow = 0;
  std::uint32_t rowCount = 0;
  Kind kind = Kind::Sound;
  bool repeatEnd = false;
  bool repeatStart = false;
  bool sectionEnd = false;  // "||", "|]", "[|": a repeat without "|:" starts after it
  char part = 0;
  std::uint8_t endColons = 0;    // a repeat's end: its passes are one more than its colons
  std::uint8_t startColons = 0;  // a repeat's start: the same
};

// What a tune body may write, in rows and items. The play table holds 200,000 rows;
// music written past a quarter more than that (room for endings and parts that are
// passed over) is reached, if at all, only after it is full, so it is not read: a
// body of any length is read in bounded memory.
inline constexpr std::size_t kMostWrittenRows = 250'000;
inline constexpr std::size_t kMostItems = 1'000'000;

struct Music {
  // Room reserved for as much as a body may write, so that the lists never grow by
  // copying: the pages a short tune leaves unused are never made resident.
  Music();

  std::vector<MusicItem> items;
  std::vector<NoteEvent> rows;
  std::vector<RowPlace> places;  // one per row: its bar, part and place in the tune's lines
};

// The row a rest plays: the silent note the classic reading also plays.
inline NoteEvent restRow(double duration) { return NoteEvent{.note = 56, .velocity = 0, .duration = duration}; }

}  // namespace corvale::abc
