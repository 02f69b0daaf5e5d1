#include "practice/tune_timing.h"

#include <algorithm>
#include <cmath>

#include "abc/abc_book.h"
#include "abc/abc_fields.h"
#include "abc/abc_tempo.h"

namespace corvale {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

BeatGrid beatGridOf(std::string_view meterText) {
  const std::string_view text = abc::trimmed(meterText);
  if (text == "C") return {0.25, 4, true};
  if (text == "C|") return {0.5, 2, true};
  // "6/8", and the sums of "(2+3)/8" or "2+3/8", each part a beat of the bottom's length.
  std::size_t at = text.size() > 0 && text[0] == '(' ? 1 : 0;
  int top = 0;
  while (at < text.size() && isDigit(text[at])) {
    top += abc::readNumber(text, at);
    if (at < text.size() && text[at] == '+') ++at;
  }
  if (at < text.size() && text[at] == ')') ++at;
  if (top <= 0 || at >= text.size() || text[at] != '/') return {};
  ++at;
  const int bottom = abc::readNumber(text, at);
  if (bottom <= 0 || top > 64) return {};
  // A compound metre (6/8, 9/8, 12/8, 6/4...) counts its dotted beats.
  if (top > 3 && top % 3 == 0 && bottom >= 4) return {3.0 / bottom, top / 3, true};
  return {1.0 / bottom, top, true};
}

TuneTiming readTuneTiming(const std::vector<std::string>& listedLines, Reading reading) {
  std::string meterText;
  std::optional<double> unitEighths;
  std::string tempoText;
  bool tempoGiven = false;
  // Line 1 is the X: line; the header runs to the first K: line.
  for (std::size_t i = 1; i < listedLines.size(); ++i) {
    const std::string_view line = abc::withoutComment(listedLines[i]);
    const auto field = abc::fieldOfLine(line, false);
    if (!field) continue;
    if (field->letter == 'M') meterText = field->text;
    if (field->letter == 'L') unitEighths = abc::readUnitLength(field->text).value_or(unitEighths.value_or(1));
    if (field->letter == 'Q' && !tempoGiven) {
      tempoText = field->text;
      tempoGiven = true;
    }
    if (field->letter == 'K') break;
  }
  TuneTiming timing;
  timing.beats = beatGridOf(meterText);
  const double tuneUnitEighths = unitEighths.value_or(abc::defaultUnitLength(abc::readMeter(meterText)));
  const double tuneUnitWholeNotes = tuneUnitEighths / 8;
  timing.unitWholeNotes = reading == Reading::Standard ? 0.125 : tuneUnitWholeNotes;
  if (tempoGiven) timing.tempo = abc::readTempo(tempoText, tuneUnitEighths);
  return timing;
}

int sliderTempoFor(const TuneTempo& tempo, double unitWholeNotes, bool* clamped) {
  const double unitsPerMinute = tempo.beatsPerMinute * tempo.beatLength / 8 / unitWholeNotes;
  const double step = std::round(unitsPerMinute / 30);
  const bool outside = step < kSlowestTempo || step > kFastestTempo;
  if (clamped) *clamped = outside;
  if (step < kSlowestTempo) return kSlowestTempo;
  if (step > kFastestTempo) return kFastestTempo;
  return static_cast<int>(step);
}

}  // namespace corvale
