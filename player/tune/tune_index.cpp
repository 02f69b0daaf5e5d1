#include "tune/tune_index.h"

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kTitleChars = 40;

bool isTitleLine(std::string_view line) { return line.size() >= 2 && line[0] == 'T' && line[1] == ':'; }

}  // namespace

std::vector<std::string> buildTuneIndex(const LineStore& store) {
  std::vector<std::string> titles;
  for (std::uint64_t tune = 0; tune <= store.tuneCount(); ++tune) {
    const std::uint64_t lines = store.lineCount(tune);
    bool previousIsTitle = false;  // line 0 reads empty
    for (std::uint64_t n = 1; n <= lines; ++n) {
      const std::string_view line = store.line(tune, n);
      const bool isTitle = isTitleLine(line);
      if (isTitle && !previousIsTitle) titles.emplace_back(utf8Slice(line, 2, kTitleChars));
      previousIsTitle = isTitle;
    }
  }
  return titles;
}

}  // namespace corvale
