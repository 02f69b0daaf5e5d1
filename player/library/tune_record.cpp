#include "player/library/tune_record.h"

#include <algorithm>
#include <optional>

#include "abc/abc_book.h"
#include "abc/abc_fields.h"

namespace corvale {
namespace {

constexpr std::size_t kFirstBarsBars = 4;
constexpr std::size_t kFirstBarsChars = 80;

// The fields a file header gives every tune that does not give its own.
struct HeaderDefaults {
  std::string metre, rhythm, composer, source, origin;
};

std::string* defaultedField(TuneRecord& record, char letter) {
  switch (letter) {
    case 'M': return &record.metre;
    case 'R': return &record.rhythm;
    case 'C': return &record.composer;
    case 'S': return &record.source;
    case 'O': return &record.origin;
    default: return nullptr;
  }
}

HeaderDefaults readFileHeader(const abc::AbcBook& book) {
  TuneRecord fields;
  const std::optional<abc::TuneSpan> header = book.fileHeader();
  if (header) {
    abc::LineCursor lines(book.text(), header->begin, header->first);
    while (const std::optional<std::string_view> line = lines.next(header->end)) {
      const auto field = abc::fieldOfLine(abc::withoutComment(*line), false);
      if (!field) continue;
      if (std::string* kept = defaultedField(fields, field->letter)) *kept = abc::trimmed(field->text);
    }
  }
  return {fields.metre, fields.rhythm, fields.composer, fields.source, fields.origin};
}

// Up to a few bars of the body's first music lines (from the cursor up to byte
// `end`), fields and comments passed over.
std::string firstBarsOf(abc::LineCursor& lines, std::size_t end) {
  std::string bars;
  std::size_t barLines = 0;
  while (barLines < kFirstBarsBars) {
    const std::optional<std::string_view> next = lines.next(end);
    if (!next) break;
    const std::string_view line = abc::trimmed(abc::withoutComment(*next));
    if (line.empty() || abc::fieldOfLine(line, true)) continue;
    for (const char c : line) {
      if (bars.empty() && (c == '|' || c == ':')) continue;  // a start repeat before the first bar
      bars += c;
      if (c == '|' && bars.size() > 1 && bars[bars.size() - 2] != '|' && ++barLines == kFirstBarsBars) break;
      if (bars.size() >= kFirstBarsChars) return bars;
    }
    if (!bars.empty()) bars += ' ';
  }
  return std::string(abc::trimmed(bars));
}

}  // namespace

std::string TuneRecord::title() const { return titles.empty() ? xNumber : titles.front(); }

std::string TuneRecord::searchableText() const {
  std::string text = xNumber;
  for (const std::string* part : {&key, &metre, &rhythm, &composer, &source, &origin}) {
    text += ' ';
    text += *part;
  }
  for (const std::string& t : titles) {
    text += ' ';
    text += t;
  }
  return text;
}

std::vector<TuneRecord> readTuneRecords(std::string_view utf8Text) {
  const abc::AbcBook book(utf8Text);
  const HeaderDefaults defaults = readFileHeader(book);
  std::vector<TuneRecord> records;
  book.forEachTune([&](const abc::TuneSpan& span) {
    abc::LineCursor lines(utf8Text, span.begin, span.first);
    const std::string_view xLine = lines.next(span.end).value_or(std::string_view());
    TuneRecord record{records.size() + 1, static_cast<std::uint64_t>(span.begin),
                      std::string(abc::trimmed(abc::withoutComment(xLine.substr(std::min<std::size_t>(2, xLine.size()))))),
                      {}, {}, defaults.metre, defaults.rhythm, defaults.composer, defaults.source,
                      defaults.origin, {}};
    std::size_t bodyBegin = span.end;  // where the first line of music starts
    while (true) {
      const std::size_t lineBegin = lines.offset();
      const std::optional<std::string_view> next = lines.next(span.end);
      if (!next) break;
      const std::string_view line = abc::withoutComment(*next);
      if (line.empty()) continue;  // a comment line inside the header
      const auto field = abc::fieldOfLine(line, false);
      if (!field) {
        bodyBegin = lineBegin;
        break;
      }
      const std::string text(abc::trimmed(field->text));
      if (field->letter == 'T') {
        if (!text.empty()) record.titles.push_back(text);
      } else if (field->letter == 'K') {
        record.key = text;
        bodyBegin = lines.offset();
        break;
      } else if (std::string* kept = defaultedField(record, field->letter)) {
        *kept = text;
      }
    }
    abc::LineCursor body(utf8Text, bodyBegin);
    record.firstBars = firstBarsOf(body, span.end);
    records.push_back(std::move(record));
    return true;
  });
  return records;
}

}  // namespace corvale
