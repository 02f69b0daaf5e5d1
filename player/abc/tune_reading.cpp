#include "abc/tune_reading.h"

#include "abc/abc_book.h"
#include "abc/abc_tune_reader.h"

namespace corvale {

std::vector<TuneListEntry> tuneListOf(const TuneFile& file, Reading reading) {
  if (reading == Reading::Classic) return file.tuneIndex;
  return abc::AbcBook(file.lineStore.text()).tuneList();
}

ParsedTune TuneReader::parse(const LineStore& store, std::uint64_t chosenTune, Reading reading) {
  if (reading == Reading::Classic) return classic_.parse(store, chosenTune);
  // Splitting the text into lines again costs little beside the play it starts.
  return abc::AbcTuneReader::read(abc::AbcBook(store.text()), chosenTune);
}

}  // namespace corvale
