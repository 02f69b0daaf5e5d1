#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tune/body_stream.h"
#include "tune/event_table.h"
#include "tune/line_store.h"
#include "tune/row_place.h"
#include "tune/tune_tempo.h"

namespace corvale {

// Everything one play of a tune needs: what the window shows and the notes to play.
struct ParsedTune {
  std::vector<std::string> listedLines;  // the tune's lines as listed, UTF-8
  std::string keyText;                   // "" when the tune has no K: line
  std::string keyClass;                  // "" when empty
  int bodyStartLine = 0;
  int tuneLineCount = 0;
  EventTable events;
  // Under the standard reading, the place of each row of `events` (places[i] for
  // row i + 1); empty under the classic reading.
  std::vector<RowPlace> places;
  // Under the standard reading, the tempo the tune's Q: field gives, when it gives one.
  std::optional<TuneTempo> tempo;
};

// Parses tunes of one opened file, one play at a time.
class TuneParser {
 public:
  // `chosenTune` is the tune list position + 1, or 0 for the lines before the first
  // "X:" line. A tune number past the end of the file gives a blank tune with no notes.
  ParsedTune parse(const LineStore& store, std::uint64_t chosenTune);

 private:
  BodyStream bodyStream_;  // reused from play to play: 8000 positions
};

}  // namespace corvale
