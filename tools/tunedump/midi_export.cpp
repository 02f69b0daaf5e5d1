#include "midi_export.h"

#include <ostream>

#include "dump_command_line.h"
#include "midi_dump_command_line.h"
#include "practice_options.h"
#include "player/export/export_error.h"
#include "player/export/tune_export.h"
#include "player/settings/user_settings.h"
#include "stop_signals.h"
#include "tune/tune_file.h"
#include "tune_dump.h"

namespace corvale {
namespace {

// The exit status of an export that wrote nothing.
int statusOf(const ExportError& error) {
  switch (error.end()) {
    case ExportEnd::Refused: return 2;
    case ExportEnd::Stopped: return 128 + caughtStopSignal();
    default: return 1;
  }
}

}  // namespace

int runMidiExport(const std::vector<std::string>& args, std::ostream& err, Reading reading,
                  const ReadingOptions& options) {
  return runTellingBadInput(err, [&] {
    if (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0) {
      throw DumpUsageError(args.front() + " needs the file to write before the options of --midi");
    }
    ExportOrder order;
    order.kind = args.front() == "--export-wav" ? ExportKind::Wav : ExportKind::Midi;
    order.output = args[1];
    const PracticeOptions practice = takePracticeOptions({args.begin() + 2, args.end()});
    const MidiDumpCommandLine commandLine = parseMidiDumpCommandLine(practice.args);
    order.tuneFile = commandLine.file;
    order.chosenTune = chosenTuneFromDigits(commandLine.tuneNumber);
    order.play = {commandLine.tempo, commandLine.replays, commandLine.instrument, reading, options, practiceOf(practice)};
    if (practice.plan) {
      refuseWhatTheTuneCannotFollow(readTuneFile(commandLine.file).lineStore, order.chosenTune, reading,
                                    *practice.plan, commandLine);
    }
    try {
      const ExportPlan plan = planExport(order);
      const RecordedPlay play = recordForExport(plan);
      SoundFontInUse soundFont;
      if (order.kind == ExportKind::Wav) {
        soundFont = soundFontInUse(*openUserSettings());
        if (!soundFont.notice.empty()) err << "tunedump: " << soundFont.notice << '\n';
      }
      std::vector<std::string> notices;
      {
        // From here a partial file may exist: a signal stops the work and it is removed.
        const StopOnSignals stopOnSignals;
        writeExport(plan, play, soundFont, {&stopRequested(), {}}, notices);
      }
      for (const std::string& notice : notices) err << "tunedump: " << notice << '\n';
      return 0;
    } catch (const ExportError& error) {
      if (error.end() != ExportEnd::Stopped) err << "tunedump: " << error.what() << '\n';
      return statusOf(error);
    }
  });
}

}  // namespace corvale
