#include "tune/tune_parser.h"

#include "tune/body_scan.h"
#include "tune/key_signature.h"
#include "tune/tune_header.h"

namespace corvale {

ParsedTune TuneParser::parse(const LineStore& store, std::uint64_t chosenTune) {
  const TuneHeader header = readTuneHeader(store, chosenTune);
  const KeySignature key = KeySignature::resolve(header.keyText, header.keyLetter);

  ParsedTune tune;
  tune.listedLines.assign(header.tuneLines.begin(), header.tuneLines.end());
  tune.keyText = header.keyText;
  tune.keyClass = key.keyClass();
  tune.bodyStartLine = header.bodyStartLine;
  tune.tuneLineCount = header.tuneLineCount;

  std::vector<std::string_view> bodyLines;
  for (int n = header.bodyStartLine; n <= header.tuneLineCount; ++n) {
    bodyLines.push_back(header.tuneLines[static_cast<std::size_t>(n - 1)]);
  }
  bodyStream_.pack(bodyLines);
  BodyScan(bodyStream_, key, tune.events).run();
  return tune;
}

}  // namespace corvale
