// Feeds arbitrary bytes through the standard ABC reading: the tune list and every
// tune of the file, one past each end included.
#include <cstddef>
#include <cstdint>
#include <string>

#include "abc/tune_reading.h"
#include "abc/abc_tune_reader.h"
#include "tune/tune_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const corvale::TuneFile file = corvale::readTuneText(std::string(reinterpret_cast<const char*>(data), size));
  const auto entries = corvale::tuneListOf(file, corvale::Reading::Standard);
  corvale::TuneReader reader;
  for (std::uint64_t tune = 0; tune <= entries.size() + 1; ++tune) {
    const corvale::ParsedTune parsed = reader.parse(file.lineStore, tune, corvale::Reading::Standard);
    if (parsed.events.count() > corvale::abc::AbcTuneReader::kMostRows) __builtin_trap();
    // Every row has its place, within the tune's listed lines.
    if (parsed.places.size() != static_cast<std::size_t>(parsed.events.count())) __builtin_trap();
    for (const corvale::RowPlace& place : parsed.places) {
      if (place.line >= parsed.listedLines.size()) __builtin_trap();
    }
  }
  return 0;
}
