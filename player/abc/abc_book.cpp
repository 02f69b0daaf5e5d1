#include "abc/abc_book.h"

#include <algorithm>

#include "abc/abc_fields.h"

namespace corvale::abc {
namespace {

bool startsTune(std::string_view line) { return line.size() >= 2 && line[0] == 'X' && line[1] == ':'; }

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

std::string_view withoutComment(std::string_view line) {
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '%' && (at == 0 || line[at - 1] != '\\')) {
      line = line.substr(0, at);
      break;
    }
  }
  line = line.substr(0, line.find_last_not_of(" \t") + 1);
  if (!line.empty() && line.back() == '\\') line.remove_suffix(1);
  return line;
}

bool continuesOnNextLine(std::string_view line) {
  const std::size_t comment = line.find('%');
  line = line.substr(0, comment);
  line = line.substr(0, line.find_last_not_of(" \t") + 1);
  return !line.empty() && line.back() == '\\';
}

std::pair<std::size_t, std::size_t> LogicalLine::placeOf(std::size_t at) const {
  auto piece = std::upper_bound(pieces.begin(), pieces.end(), at,
                                [](std::size_t position, const Piece& p) { return position < p.offset; });
  if (piece == pieces.begin()) return {0, at};
  --piece;
  return {piece->line, at - piece->offset};
}

std::vector<LogicalLine> logicalLines(const std::vector<std::string_view>& lines, std::size_t first,
                                      std::size_t last) {
  std::vector<LogicalLine> joined;
  bool continuing = false;
  for (std::size_t i = first; i <= last && i < lines.size(); ++i) {
    const std::string_view text = withoutComment(lines[i]);
    // A field line after a continued music line stands on its own: "\" there only
    // keeps the music on one staff line.
    if (continuing && fieldOfLine(text, true) && !fieldOfLine(joined.back().text, true)) continuing = false;
    if (continuing) {
      joined.back().text += ' ';
    } else {
      joined.emplace_back();
    }
    joined.back().pieces.push_back({joined.back().text.size(), i});
    joined.back().text += text;
    continuing = continuesOnNextLine(lines[i]);
  }
  return joined;
}

AbcBook::AbcBook(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) {
      lines_.push_back(text.substr(at));
      break;
    }
    lines_.push_back(text.substr(at, end - at));
    at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  bool inTune = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (startsTune(lines_[i])) {
      tunes_.push_back({i, i});
      inTune = true;
    } else if (inTune && isBlank(lines_[i])) {
      inTune = false;
    } else if (inTune) {
      tunes_.back().last = i;
    }
  }
}

std::vector<TuneListEntry> AbcBook::tuneList() const {
  std::vector<TuneListEntry> entries;
  entries.reserve(tunes_.size());
  for (std::size_t n = 0; n < tunes_.size(); ++n) {
    const TuneSpan& span = tunes_[n];
    std::string_view title = trimmed(withoutComment(lines_[span.first].substr(2)));  // the X: number
    bool titled = false;
    for (std::size_t i = span.first + 1; i <= span.last && !titled; ++i) {
      if (lines_[i].size() >= 2 && lines_[i][0] == 'T' && lines_[i][1] == ':') {
        title = trimmed(withoutComment(lines_[i].substr(2)));
        titled = true;
      }
      if (lines_[i].size() >= 2 && lines_[i][0] == 'K' && lines_[i][1] == ':') break;
    }
    entries.push_back({title.empty() ? std::to_string(n + 1) : std::string(title), n + 1});
  }
  return entries;
}

}  // namespace corvale::abc
