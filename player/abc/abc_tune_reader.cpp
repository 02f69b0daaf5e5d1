#include "abc/abc_tune_reader.h"

#include <algorithm>
#include <string>

#include "abc/abc_body_reader.h"
#include "abc/abc_fields.h"
#include "abc/abc_parts.h"
#include "abc/abc_play_order.h"
#include "abc/abc_voice_choice.h"

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
      if (!fileHeader && header.firstVoice.empty()) header.firstVoice = VoiceChoice::voiceOf(field.text);
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
  if (book.fileHeaderLineCount() > 0) {
    for (const LogicalLine& line : logicalLines(lines, 0, book.fileHeaderLineCount() - 1)) {
      if (const auto field = fieldOfLine(line.text, false)) applyHeaderField(*field, header, true);
    }
  }
  // Header fields run to the K: line, and text lines among them are passed over; a
  // tune without a K: line starts its body at its first line that is not a field.
  const std::vector<LogicalLine> tuneLines = logicalLines(lines, span.first, span.last);
  const bool hasKey = std::any_of(tuneLines.begin(), tuneLines.end(), [](const LogicalLine& line) {
    const auto field = fieldOfLine(line.text, false);
    return field && field->letter == 'K';
  });
  std::size_t body = 1;
  for (; body < tuneLines.size() && !header.keyed; ++body) {
    const auto field = fieldOfLine(tuneLines[body].text, false);
    if (field) applyHeaderField(*field, header, false);
    else if (!hasKey && !trimmed(tuneLines[body].text).empty()) break;
  }

  BodyStart start;
  start.key = AbcKey::read(header.keyText);
  start.meter = header.meter;
  start.unitLength = header.unitLength.value_or(defaultUnitLength(header.meter));
  start.firstVoice = header.firstVoice;
  start.firstLine = span.first;
  tune.keyText = header.keyText;
  tune.keyClass = start.key.signatureText();

  Music music;
  BodyReader reader(start, music);
  for (std::size_t i = body; i < tuneLines.size(); ++i) reader.readLine(tuneLines[i]);
  nameParts(music);
  tune.events = EventTable(kMostRows);
  writePlayOrder(music, header.partOrder, tune.events, tune.places);
  return tune;
}

}  // namespace corvale::abc
