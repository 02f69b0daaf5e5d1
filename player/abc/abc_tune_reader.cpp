#include "abc/abc_tune_reader.h"

#include <algorithm>
#include <string>

#include "abc/abc_body_reader.h"
#include "abc/abc_fields.h"
#include "abc/abc_parts.h"
#include "abc/abc_play_order.h"
#include "abc/abc_tempo.h"
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
  std::string tempoText;
  Transposition transposition;
  BarAccidentals accidentals;
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
      if (fileHeader) break;
      if (header.firstVoice.empty()) header.firstVoice = VoiceChoice::voiceOf(field.text);
      // The voice that plays is the first named: its clef and transposition count.
      if (VoiceChoice::voiceOf(field.text) == header.firstVoice) {
        header.transposition.read(VoiceChoice::afterVoice(field.text));
      }
      break;
    case 'K':
      if (!fileHeader) {
        header.keyText = trimmed(field.text);
        header.transposition.read(field.text);
        header.keyed = true;
      }
      break;
    case 'Q': header.tempoText = field.text; break;
    case 'I': header.accidentals.readDirective(field.text); break;
    default: break;
  }
}

// A line up to the widest column a row is placed at, not cutting a character.
std::string_view listedPart(std::string_view line) {
  constexpr std::size_t kWidest = 0xFFFF;
  if (line.size() <= kWidest) return line;
  std::size_t end = kWidest;
  while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0U) == 0x80U) --end;
  return line.substr(0, end);
}

}  // namespace

// Takes a header line: a field, or a "%%" directive.
bool applyHeaderLine(std::string_view line, Header& header, bool fileHeader) {
  if (line.starts_with("%%")) {
    header.accidentals.readDirective(line.substr(2));
    return true;
  }
  const auto field = fieldOfLine(line, false);
  if (field) applyHeaderField(*field, header, fileHeader);
  return field.has_value();
}

ParsedTune AbcTuneReader::read(const AbcBook& book, std::uint64_t chosenTune, const ReadingOptions& options) {
  return read(book, book.tune(chosenTune), options);
}

ParsedTune AbcTuneReader::read(const AbcBook& book, const std::optional<TuneSpan>& found,
                               const ReadingOptions& options) {
  ParsedTune tune;
  tune.bodyStartLine = 1;
  tune.tuneLineCount = 1;
  if (!found) return tune;
  const TuneSpan& span = *found;
  const std::string_view text = book.text();
  tune.bodyStartLine = static_cast<int>(span.first + 1);
  tune.tuneLineCount = static_cast<int>(span.last + 1);
  // The one copy of the tune's lines: the window lists them, and no row is placed
  // past their widest column, so a longer line is listed that far.
  tune.listedLines.reserve(span.last - span.first + 1);
  LineCursor cursor(text, span.begin, span.first);
  while (const auto line = cursor.next(span.end)) tune.listedLines.emplace_back(listedPart(*line));

  Header header;
  if (const std::optional<TuneSpan> fileHeader = book.fileHeader()) {
    LogicalLineReader lines(text, *fileHeader);
    while (const auto line = lines.next()) applyHeaderLine(line->text, header, true);
  }
  // Header fields run to the K: line, and text lines among them are passed over; a
  // tune without a K: line starts its body at its first line that is not a field.
  bool hasKey = false;
  for (LogicalLineReader lines(text, span); const auto line = lines.next();) {
    const auto field = fieldOfLine(line->text, false);
    if (field && field->letter == 'K') {
      hasKey = true;
      break;
    }
  }
  LogicalLineReader lines(text, span);
  lines.next();  // the X: line
  std::optional<LogicalLine> firstBodyLine;
  while (!header.keyed) {
    firstBodyLine = lines.next();
    if (!firstBodyLine) break;
    const bool headerLine = applyHeaderLine(firstBodyLine->text, header, false);
    if (!headerLine && !hasKey && !trimmed(firstBodyLine->text).empty()) break;
    firstBodyLine.reset();
  }

  BodyStart start;
  start.key = AbcKey::read(header.keyText);
  start.meter = header.meter;
  start.unitLength = header.unitLength.value_or(defaultUnitLength(header.meter));
  start.firstVoice = header.firstVoice;
  start.firstLine = span.first;
  start.transposition = header.transposition;
  start.accidentals = header.accidentals;
  start.playOrnaments = options.playOrnaments;
  tune.keyText = header.keyText;
  if (!header.tempoText.empty()) tune.tempo = readTempo(header.tempoText, start.unitLength);
  tune.keyClass = start.key.signatureText();

  Music music;
  BodyReader reader(start, music);
  if (firstBodyLine) reader.readLine(*firstBodyLine);
  while (!reader.full()) {
    const auto line = lines.next();
    if (!line) break;
    reader.readLine(*line);
  }
  nameParts(music);
  tune.events = EventTable(kMostRows);
  tune.events.reserve();
  tune.places.reserve(kMostRows);
  writePlayOrder(music, header.partOrder, tune.events, tune.places);
  return tune;
}

}  // namespace corvale::abc
