#include "abc/abc_tune_reader.h"

#include <string>

#include "abc/abc_body_reader.h"
#include "abc/abc_fields.h"
#include "abc/abc_play_order.h"

namespace corvale::abc {
namespace {

// What the header fields of the file and of the tune set before the body.
struct Header {
  std::optional<double> unitLength;
  std::optional<Meter> meter;
  std::string partOrder;
  std::string firstVoice;
  std::string keyText;
  bool keyed = false;
};

// Takes one header field; the file header gives only what applies to every tune.
void applyHeaderField(const Field& field, Header& header, bool fileHeader) {
  switch (field.letter) {
    case 'L':
      if (const auto unit = readUnitLength(field.text)) header.unitLength = unit;
      break;
    case 'M': header.meter = readMeter(field.text); break;
    case 'P':
      if (!fileHeader) header.partOrder = trimmed(field.text);
      break;
    case 'V':
      if (!fileHeader && header.firstVoice.empty()) {
        const std::string_view voice = trimmed(field.text);
        header.firstVoice = voice.substr(0, voice.find_first_of(" \t"));
      }
      break;
    case 'K':
      if (!fileHeader) {
        header.keyText = trimmed(field.text);
        header.keyed = true;
      }
      break;
    default: break;
  }
}

}  // namespace

ParsedTune AbcTuneReader::read(const AbcBook& book, std::uint64_t chosenTune) {
  ParsedTune tune;
  tune.bodyStartLine = 1;
  tune.tuneLineCount = 1;
  if (chosenTune == 0 || chosenTune > book.tuneCount()) return tune;

  const auto& lines = book.lines();
  const TuneSpan& span = book.tune(chosenTune);
  tune.bodyStartLine = static_cast<int>(span.first + 1);
  tune.tuneLineCount = static_cast<int>(span.last + 1);
  for (std::size_t i = span.first; i <= span.last; ++i) tune.listedLines.emplace_back(lines[i]);

  Header header;
  for (std::size_t i = 0; i < book.fileHeaderLineCount(); ++i) {
    if (const auto field = fieldOfLine(withoutComment(lines[i]), false)) applyHeaderField(*field, header, true);
  }
  // Header fields run to the K: line; a tune without one starts its body at its first
  // line that is not a field.
  std::size_t body = span.first + 1;
  for (; body <= span.last && !header.keyed; ++body) {
    const std::string_view line = withoutComment(lines[body]);
    if (line.empty()) continue;
    const auto field = fieldOfLine(line, false);
    if (!field) break;
    applyHeaderField(*field, header, false);
  }

  BodyStart start;
  start.key = AbcKey::read(header.keyText);
  start.meter = header.meter;
  start.unitLength = header.unitLength.value_or(defaultUnitLength(header.meter));
  start.firstVoice = header.firstVoice;
  tune.keyText = header.keyText;
  tune.keyClass = start.key.signatureText();

  Music music;
  BodyReader reader(start, music);
  for (std::size_t i = body; i <= span.last; ++i) reader.readLine(withoutComment(lines[i]));
  tune.events = EventTable(kMostRows);
  writePlayOrder(music, header.partOrder, tune.events);
  return tune;
}

}  // namespace corvale::abc
