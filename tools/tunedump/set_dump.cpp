#include "set_dump.h"

#include <memory>
#include <ostream>

#include "dump_command_line.h"
#include "field_text.h"
#include "melodex/midi_control.h"
#include "midi_dump.h"
#include "midi_dump_command_line.h"
#include "player/library/set_tunes.h"
#include "player/play/headless_player_view.h"
#include "player/play/set_play.h"
#include "player/play/virtual_time_host.h"

namespace corvale {
namespace {

// When a tune of the set began: its first call among the recorded ones, and the clock then.
struct TuneStart {
  std::size_t call;
  std::int64_t time;
  std::size_t piece;
};

}  // namespace

int runSetDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Reading reading) {
  return runTellingBadInput(err, [&] {
    std::vector<std::string> options(args.begin() + 1, args.end());
    for (const std::string& option : options) {
      if (option == "--replays") throw DumpUsageError("--play-set takes no --replays: each tune of a set has its times");
    }
    // The options are those of --midi; the set file stands where its FILE does.
    options.push_back("0");
    const MidiDumpCommandLine commandLine = parseMidiDumpCommandLine(options);
    const TuneSet set = loadSet(commandLine.file);
    const FoundSet found = findSetTunes(set, reading);
    for (const std::string& problem : found.problems) err << "tunedump: " << problem << '\n';

    static melodex::VirtualClock clock;
    const std::int64_t playStart = clock.nowMicroseconds();
    auto recording = std::make_shared<melodex::RecordingPlatform>(clock);
    melodex::installPlatform(recording);
    std::vector<TuneStart> starts;
    bool failed = false;
    {
      VirtualTimeHost host(clock);
      melodex::MidiControl midix(host);
      midix.InitProperties();
      HeadlessPlayerView view(commandLine.tempo, 0, commandLine.instrument);
      SetPlay play(view, midix);
      std::vector<SetPiece> pieces;
      for (const FoundSetTune& tune : found.tunes) pieces.push_back({&tune.tune, tune.times});
      const PlayOutcome outcome =
          play.play(pieces, reading == Reading::Standard ? ChordRows::HeldToChordEnd : ChordRows::PlainNotes,
                    [&](std::size_t piece) {
                      starts.push_back({recording->calls().size(), clock.nowMicroseconds(), piece});
                    });
      failed = outcome.ending == PlayEnding::Failed;
      if (failed) err << "tunedump: " << outcome.problem << '\n';
    }
    std::size_t next = 0;
    const auto writeStartsUpTo = [&](std::size_t call) {
      for (; next < starts.size() && starts[next].call <= call; ++next) {
        const FoundSetTune& tune = found.tunes[starts[next].piece];
        out << "set\t" << (starts[next].time - playStart) / 1000 << '\t' << tune.number << '\t'
            << escapeControls(tune.title) << '\n';
      }
    };
    const std::vector<melodex::RecordedCall>& calls = recording->calls();
    for (std::size_t call = 0; call < calls.size(); ++call) {
      writeStartsUpTo(call);
      writeMidiWords({calls[call]}, playStart, out);
    }
    writeStartsUpTo(calls.size());
    return failed ? 1 : 0;
  });
}

}  // namespace corvale
