#include "player/library/tune_record.h"

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
  for (std::size_t i = 0; i < book.fileHeaderLineCount(); ++i) {
    const auto field = abc::fieldOfLine(abc::withoutComment(book.lines()[i]), false);
    if (!field) continue;
    if (std::string* kept = defaultedField(fields, field->letter)) *kept = abc::trimmed(field->text);
  }
  return {fields.metre, fields.rhythm, fields.composer, fields.source, fields.origin};
}

// Up to a few bars of the body's first music lines, fields and comments passed over.
std::string firstBarsOf(const abc::AbcBook& book, std::size_t first, std::size_t last) {
  std::string bars;
  std::size_t barLines = 0;
  for (std::size_t i = first; i <= last && barLines < kFirstBarsBars; ++i) {
    const std::string_view line = abc::trimmed(abc::withoutComment(book.lines()[i]));
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
  records.reserve(book.tuneCount());
  for (std::size_t n = 1; n <= book.tuneCount(); ++n) {
    const abc::TuneSpan& span = book.tune(n);
    TuneRecord record{n, static_cast<std::uint64_t>(book.lines()[span.first].data() - utf8Text.data()),
                      std::string(abc::trimmed(abc::withoutComment(book.lines()[span.first].substr(2)))),
                      {}, {}, defaults.metre, defaults.rhythm, defaults.composer, defaults.source,
                      defaults.origin, {}};
    std::size_t body = span.last + 1;
    for (std::size_t i = span.first + 1; i <= span.last; ++i) {
      const std::string_view line = abc::withoutComment(book.lines()[i]);
      if (line.empty()) continue;  // a comment line inside the header
      const auto field = abc::fieldOfLine(line, false);
      if (!field) {
        body = i;
        break;
      }
      const std::string text(abc::trimmed(field->text));
      if (field->letter == 'T') {
        if (!text.empty()) record.titles.push_back(text);
      } else if (field->letter == 'K') {
        record.key = text;
        body = i + 1;
        break;
      } else if (std::string* kept = defaultedField(record, field->letter)) {
        *kept = text;
      }
    }
    record.firstBars = firstBarsOf(book, body, span.last);
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace corvale
