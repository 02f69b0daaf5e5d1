#include "player/export/tune_facts.h"

#include <array>
#include <cctype>
#include <cmath>
#include <string_view>

#include "abc/abc_fields.h"
#include "abc/abc_key.h"
#include "tune/key_signature.h"

namespace corvale {
namespace {

constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::string_view kSharpOrder = "FCGDAEB";
constexpr std::string_view kFlatOrder = "BEADGCF";
constexpr std::size_t kMostNameBytes = 200;  // under the 255 bytes of common file systems

std::optional<TimeSignature> timeSignatureOf(std::string_view text) {
  const auto meter = abc::readMeter(text);
  if (!meter) return std::nullopt;
  text = abc::trimmed(text);
  if (text == "C") return TimeSignature{4, 4, false};
  if (text == "C|") return TimeSignature{2, 2, false};
  std::size_t at = text.rfind('/') + 1;
  const int denominator = abc::readNumber(text, at);
  const double numerator = std::round(meter->wholeNotes * denominator);
  // A file writes the denominator as a power of two, the numerator in one byte.
  if ((denominator & (denominator - 1)) != 0 || denominator > 64 || numerator < 1 || numerator > 255) {
    return std::nullopt;
  }
  return TimeSignature{static_cast<int>(numerator), denominator, meter->compound};
}

// The signature whose letters `alteration` raises or lowers, when it is one of the
// fifteen a staff writes (sharps in the order F C G..., flats B E A...).
template <typename Alteration>
std::optional<int> sharpsOf(const Alteration& alteration) {
  int sharps = 0;
  int flats = 0;
  for (const char letter : kLetters) {
    const int by = alteration(letter);
    if (by == 1) ++sharps;
    else if (by == -1) ++flats;
    else if (by != 0) return std::nullopt;
  }
  if (sharps > 0 && flats > 0) return std::nullopt;
  for (int i = 0; i < sharps; ++i) {
    if (alteration(kSharpOrder[static_cast<std::size_t>(i)]) != 1) return std::nullopt;
  }
  for (int i = 0; i < flats; ++i) {
    if (alteration(kFlatOrder[static_cast<std::size_t>(i)]) != -1) return std::nullopt;
  }
  return sharps - flats;
}

// Whether a K: text names a minor key: "Em", "E minor", "Eaeolian" (not "Emix").
bool namesMinor(std::string_view keyText) {
  keyText = abc::trimmed(keyText);
  std::size_t at = 1;
  if (at < keyText.size() && (keyText[at] == '#' || keyText[at] == 'b')) ++at;
  while (at < keyText.size() && keyText[at] == ' ') ++at;
  std::string mode;
  while (at < keyText.size() && std::isalpha(static_cast<unsigned char>(keyText[at])) && mode.size() < 3) {
    mode += static_cast<char>(std::tolower(static_cast<unsigned char>(keyText[at++])));
  }
  return mode == "m" || mode == "min" || mode == "aeo";
}

std::optional<KeySignatureFact> keyOf(const ParsedTune& tune, Reading reading) {
  if (tune.keyText.empty()) return std::nullopt;
  std::optional<int> sharps;
  if (reading == Reading::Standard) {
    const abc::AbcKey key = abc::AbcKey::read(tune.keyText);
    sharps = sharpsOf([&](char letter) { return key.alterationOf(letter); });
  } else {
    const KeySignature key = KeySignature::resolve(tune.keyText, tune.keyClass);
    sharps = sharpsOf([&](char letter) { return key.alterationFor(static_cast<char32_t>(letter)); });
  }
  if (!sharps) return std::nullopt;
  // The classic reading plays every mode in the major key of its signature.
  return KeySignatureFact{*sharps, reading == Reading::Standard && namesMinor(tune.keyText)};
}

}  // namespace

TuneFacts tuneFactsOf(const ParsedTune& tune, Reading reading) {
  TuneFacts facts;
  std::optional<double> unitLength;
  std::optional<abc::Meter> meter;
  bool keyed = false;
  for (const std::string& line : tune.listedLines) {
    const auto field = abc::fieldOfLine(line, false);
    if (!field) continue;
    const std::string_view text = abc::trimmed(field->text);
    if (field->letter == 'T' && facts.title.empty()) facts.title = text;
    // The metre and unit of the tune are the ones its header gives, before K:.
    if (keyed) continue;
    if (field->letter == 'M' && !facts.meter) {
      facts.meter = timeSignatureOf(text);
      meter = abc::readMeter(text);
    }
    if (field->letter == 'L' && !unitLength) unitLength = abc::readUnitLength(text);
    if (field->letter == 'K') keyed = true;
  }
  facts.key = keyOf(tune, reading);
  if (reading == Reading::Classic) facts.unitEighths = unitLength ? *unitLength : abc::defaultUnitLength(meter);
  return facts;
}

std::string fileNameForTitle(const std::string& title, const std::string& extension) {
  std::string name;
  for (const char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unfit = byte < 0x20 || byte == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    name += unfit ? '_' : c;
  }
  // Leading and trailing spaces and dots make names that hide or vanish.
  const std::size_t first = name.find_first_not_of(" .");
  name = first == std::string::npos ? "" : name.substr(first, name.find_last_not_of(" .") - first + 1);
  if (name.size() > kMostNameBytes) {
    std::size_t cut = kMostNameBytes;
    // Never inside a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return (name.empty() ? "tune" : name) + extension;
}

}  // namespace corvale
