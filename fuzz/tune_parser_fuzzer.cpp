// Feeds arbitrary bytes through reading, indexing and parsing every tune of the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tune/tune_file.h"
#include "tune/tune_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const corvale::TuneFile file = corvale::readTuneText(std::string(reinterpret_cast<const char*>(data), size));
  corvale::TuneParser parser;
  const std::uint64_t lastTune = std::max<std::uint64_t>(file.tuneIndex.size(), file.lineStore.tuneCount()) + 1;
  for (std::uint64_t tune = 0; tune <= lastTune; ++tune) {
    const corvale::ParsedTune parsed = parser.parse(file.lineStore, tune);
    if (parsed.events.count() > corvale::EventTable::kRows) __builtin_trap();
  }
  return 0;
}
