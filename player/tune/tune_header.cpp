#include "tune/tune_header.h"

#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::size_t kKeyTextChars = 10;

bool isBlank(std::string_view line) { return line.empty() || line == " "; }

}  // namespace

TuneHeader readTuneHeader(const LineStore& store, std::uint64_t tune) {
  TuneHeader header;
  for (int n = 1; n <= TuneHeader::kMaxLines; ++n) {
    const std::string_view line = store.line(tune, static_cast<std::uint64_t>(n));
    if (n > 1 && isBlank(line)) break;
    header.tuneLines.push_back(line);
  }
  header.tuneLineCount = static_cast<int>(header.tuneLines.size());

  // The line after the last listed one is the blank line that ended the tune, so the
  // scan always stops there at the latest.
  int n = 1;
  for (; n <= header.tuneLineCount; ++n) {
    const std::string_view line = header.tuneLines[static_cast<std::size_t>(n - 1)];
    if (line.starts_with('%')) continue;  // comments and directives in a header
    if (codePointAt(line, 2) != U':') break;
    if (line.starts_with("K:")) {
      header.keyLetter = utf8Slice(line, 2, 1);
      header.keyText = utf8Slice(line, 2, kKeyTextChars);
    }
  }
  header.bodyStartLine = n;
  return header;
}

}  // namespace corvale
