#include "tune_dump.h"

#include <charconv>
#include <limits>
#include <ostream>

#include "dump_command_line.h"
#include "field_text.h"
#include "library_dump.h"
#include "midi_dump.h"
#include "midi_export.h"
#include "reading_option.h"
#include "tune/tune_file.h"

namespace corvale {

std::string formatNumber(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string canonicalTuneNumber(std::string_view digits) {
  const std::size_t firstSignificant = digits.find_first_not_of('0');
  return firstSignificant == std::string_view::npos ? "0" : std::string(digits.substr(firstSignificant));
}

std::uint64_t chosenTuneFromDigits(std::string_view digits) {
  const std::string number = canonicalTuneNumber(digits);
  std::uint64_t value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) return std::numeric_limits<std::uint64_t>::max();
  return value;
}

void writeTuneIndex(const std::vector<TuneListEntry>& tuneIndex, std::string_view text, std::ostream& out) {
  for (const TuneListEntry& entry : tuneIndex) {
    out << "index\t" << entry.tune << '\t' << escapeControls(entry.title(text)) << '\n';
  }
}

void writeParsedTune(std::string_view tuneNumber, const ParsedTune& tune, std::ostream& out) {
  out << "tune\t" << tuneNumber << '\n';
  out << "key\t" << escapeControls(tune.keyText) << '\t' << tune.keyClass << '\n';
  out << "lines\t" << tune.bodyStartLine << '\t' << tune.tuneLineCount << '\n';
  // The tune's own tempo (the standard reading reads Q:): beats a minute and the beat in eighths.
  if (tune.tempo) out << "tempo\t" << formatNumber(tune.tempo->beatsPerMinute) << '\t' << formatNumber(tune.tempo->beatLength) << '\n';
  for (int i = 1; i <= tune.events.count(); ++i) {
    const NoteEvent& event = tune.events.row(i);
    out << "event\t" << formatNumber(event.note) << '\t' << formatNumber(event.velocity) << '\t'
        << formatNumber(event.channel) << '\t' << formatNumber(event.duration);
    // A chord note tied on past its chord: how long it sounds (the standard reading only).
    if (event.heldFor != 0) out << '\t' << formatNumber(event.heldFor);
    out << '\n';
  }
}

int runTuneDump(const std::vector<std::string>& allArgs, std::ostream& out, std::ostream& err) {
  const auto [reading, options, args] = takeReadingOption(allArgs);
  if (!args.empty() && args.front() == "--midi") {
    return runMidiDump(std::vector<std::string>(args.begin() + 1, args.end()), out, err, reading, options);
  }
  if (isLibraryMode(args)) return runLibraryMode(args, out, err, reading);
  if (!args.empty() && (args.front() == "--export-midi" || args.front() == "--export-wav")) {
    return runMidiExport(args, err, reading, options);
  }
  return runTellingBadInput(err, [&, reading = reading, options = options, &args = args] {
    const DumpCommandLine commandLine = parseDumpCommandLine(args);
    const TuneFile file = readTuneFile(commandLine.file);
    if (commandLine.tuneNumbers.empty()) {
      writeTuneIndex(tuneListOf(file, reading), file.lineStore.text(), out);
      return 0;
    }
    TuneReader reader;
    for (const std::string& number : commandLine.tuneNumbers) {
      writeParsedTune(canonicalTuneNumber(number),
                      reader.parse(file.lineStore, chosenTuneFromDigits(number), reading, options), out);
    }
    return 0;
  });
}

}  // namespace corvale
