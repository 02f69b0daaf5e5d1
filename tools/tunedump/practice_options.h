#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "abc/tune_reading.h"
#include "practice/practice_plan.h"
#include "midi_dump_command_line.h"
#include "player/export/recorded_play.h"
#include "tune/line_store.h"

namespace corvale {

// The practice options of `tunedump --midi` and the exports, and the arguments left:
//   --loop whole|PART|M-N   loop the whole tune, part PART (A..Z) or bars M to N
//   --from BAR              start every pass at bar BAR
//   --count-in              one bar of clicks before the first note
//   --count-in-each-pass    ... and before every pass
//   --metronome             a click on every beat
//   --speed-up P,S,T        start at P % of the tempo, S % faster a pass, up to T %
//   --passes N              end after N passes (a loop plays 1 unless given)
//   --tempo-from-tune       set TEMPO from the tune's Q: first
//   --follow                follow the music in the tune's lines (sends nothing more)
//   --keep-instrument       start with the instrument given, not the other one
struct PracticeOptions {
  std::optional<PracticePlan> plan;  // nothing: none of the options given
  bool switchInstrumentAtStart = true;
  std::vector<std::string> args;
};

// The choices for a recorded play; nothing when no practice option was given.
std::optional<RecordedPractice> practiceOf(const PracticeOptions& options);

// Throws DumpUsageError for a value it cannot read or a plan with wrong values.
PracticeOptions takePracticeOptions(const std::vector<std::string>& args);

// What tune `chosenTune` of the file cannot follow of the plan (a part it does not
// have, bars outside it, bars under the classic reading), as one sentence each.
std::vector<std::string> practiceProblems(const LineStore& lineStore, std::uint64_t chosenTune, Reading reading,
                                          const PracticePlan& plan, int replays);

// Throws DumpUsageError, naming the file, when the tune cannot follow the plan.
void refuseWhatTheTuneCannotFollow(const LineStore& lineStore, std::uint64_t chosenTune, Reading reading,
                                   const PracticePlan& plan, const MidiDumpCommandLine& commandLine);

// What the play said of its practice (the plan in words, notes), a line each on `err`.
void tellReported(const std::string& reported, std::ostream& err);

}  // namespace corvale
