#include "midi_export.h"

#include <QSettings>
#include <ostream>

#include "dump_command_line.h"
#include "midi_dump_command_line.h"
#include "player/export/recorded_play.h"
#include "player/export/sound_choice.h"
#include "player/export/standard_midi_file.h"
#include "tune/tune_file.h"
#include "tune_dump.h"

namespace corvale {

int runMidiExport(const std::vector<std::string>& args, std::ostream& err, Reading reading,
                  const ReadingOptions& options) {
  return runTellingBadInput(err, [&] {
    if (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0) {
      throw DumpUsageError(args.front() + " needs the file to write before the options of --midi");
    }
    const bool wav = args.front() == "--export-wav";
    const std::filesystem::path output = args[1];
    const MidiDumpCommandLine commandLine = parseMidiDumpCommandLine({args.begin() + 2, args.end()});
    const TuneFile file = readTuneFile(commandLine.file);
    const RecordedPlay play = recordPlay(file.lineStore, chosenTuneFromDigits(commandLine.tuneNumber),
                                         {commandLine.tempo, commandLine.replays, commandLine.instrument, reading, options});
    if (!play.problem.empty()) {
      err << "tunedump: " << play.problem << '\n';
      return 1;
    }
    std::string problem;
    const QSettings settings(QStringLiteral("corvale"), QStringLiteral("corvale"));
    const bool written = wav ? melodex::renderWav(play.words, soundFontInUse(settings), output, problem)
                             : writeStandardMidiFile(play.words, output, problem);
    if (!written) {
      err << "tunedump: " << problem << '\n';
      return 1;
    }
    return 0;
  });
}

}  // namespace corvale
