#include "midi_dump.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "dump_command_line.h"
#include "melodex/midi_control.h"
#include "midi_dump_command_line.h"
#include "practice/practice_desk.h"
#include "practice_options.h"
#include "player/play/headless_player_view.h"
#include "player/play/play_step.h"
#include "player/play/virtual_time_host.h"
#include "tune/tune_file.h"
#include "tune_dump.h"

namespace corvale {

void writeMidiWords(const std::vector<melodex::RecordedCall>& calls, std::int64_t playStartMicroseconds,
                    std::ostream& out) {
  for (const melodex::RecordedCall& call : calls) {
    if (call.kind != melodex::RecordedCall::Kind::Send) continue;
    char word[11];
    std::snprintf(word, sizeof word, "0x%08X", static_cast<unsigned>(call.word));
    out << "midi\t" << (call.timeMicroseconds - playStartMicroseconds) / 1000 << '\t' << word << '\n';
  }
}

int runMidiDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Reading reading,
                const ReadingOptions& options) {
  return runTellingBadInput(err, [&] {
    const PracticeOptions practice = takePracticeOptions(args);
    const MidiDumpCommandLine commandLine = parseMidiDumpCommandLine(practice.args);
    const TuneFile file = readTuneFile(commandLine.file);
    const std::uint64_t chosenTune = chosenTuneFromDigits(commandLine.tuneNumber);
    if (practice.plan) refuseWhatTheTuneCannotFollow(file.lineStore, chosenTune, reading, *practice.plan, commandLine);
    FixedPracticeDesk desk(practice.plan.value_or(PracticePlan{}), practice.switchInstrumentAtStart);

    // The recording output stays installed for the process after this play,
    // so the clock it reads must outlive the call.
    static melodex::VirtualClock clock;
    const std::int64_t playStart = clock.nowMicroseconds();
    auto recording = std::make_shared<melodex::RecordingPlatform>(clock);
    melodex::installPlatform(recording);
    bool failed = false;
    {
      VirtualTimeHost host(clock);
      melodex::MidiControl midix(host);
      midix.InitProperties();
      HeadlessPlayerView view(commandLine.tempo, commandLine.replays, commandLine.instrument);
      if (practice.plan || !practice.switchInstrumentAtStart) view.setPracticeDesk(&desk);
      PlayStep step(view, midix);
      const PlayOutcome outcome = step.playChosenTune(file.lineStore, chosenTune, reading, options);
      failed = outcome.ending == PlayEnding::Failed;
      if (failed) err << "tunedump: " << outcome.problem << '\n';
    }
    writeMidiWords(recording->calls(), playStart, out);
    tellReported(desk.reported(), err);
    // The words sent up to the refusal are listed; the status says the play did not finish.
    return failed ? 1 : 0;
  });
}

}  // namespace corvale
