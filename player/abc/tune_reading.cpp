#include "abc/tune_reading.h"

#include "abc/abc_book.h"
#include "abc/abc_tune_reader.h"

namespace corvale {

std::vector<TuneListEntry> tuneListOf(const TuneFile& file, Reading reading) {
  if (reading == Reading::Classic) return file.tuneIndex;
  return abc::AbcBook(file.lineStore.text()).tuneList();
}

ParsedTune TuneReader::parse(const LineStore& store, std::uint64_t chosenTune, Reading reading,
                             const ReadingOptions& options) {
  if (reading == Reading::Classic) return classic_.parse(store, chosenTune);
  // The file's tunes start where the line store's do, at each line beginning "X:".
  const abc::AbcBook book(store.text());
  if (chosenTune == 0 || chosenTune > store.tuneCount()) return abc::AbcTuneReader::read(book, std::nullopt, options);
  const std::string_view xLine = store.line(chosenTune, 1);
  const auto begin = static_cast<std::size_t>(xLine.data() - store.text().data());
  return abc::AbcTuneReader::read(book, book.tuneAt(begin, store.firstLineIndex(chosenTune)), options);
}

}  // namespace corvale
