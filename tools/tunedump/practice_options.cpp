#include "practice_options.h"

#include <charconv>
#include <ostream>
#include <sstream>

#include "dump_command_line.h"
#include "practice/practice_session.h"

namespace corvale {
namespace {

// A whole number from 0 up, all digits; `what` names it in the refusal.
std::uint32_t wholeNumber(const std::string& option, const std::string& text) {
  std::uint32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!isAllDigits(text) || result.ec != std::errc()) {
    throw DumpUsageError(option + " takes a whole number, not \"" + text + "\"");
  }
  return value;
}

void readLoop(const std::string& text, PracticePlan& plan) {
  if (text == "whole") {
    plan.loop = PracticePlan::Loop::WholeTune;
  } else if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
    plan.loop = PracticePlan::Loop::Part;
    plan.part = text[0];
  } else {
    const std::size_t dash = text.find('-');
    plan.loop = PracticePlan::Loop::Bars;
    plan.bars.first = wholeNumber("--loop", text.substr(0, dash));
    plan.bars.last = dash == std::string::npos ? plan.bars.first : wholeNumber("--loop", text.substr(dash + 1));
  }
}

SpeedUp readSpeedUp(const std::string& text) {
  std::vector<int> values;
  std::size_t from = 0;
  while (values.size() < 3) {
    const std::size_t comma = text.find(',', from);
    const std::string part = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    int value = 0;
    const auto result = std::from_chars(part.data(), part.data() + part.size(), value);
    if (!isAllDigits(part) || result.ec != std::errc()) break;
    values.push_back(value);
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (values.size() != 3 || text.find(',', from) != std::string::npos) {
    throw DumpUsageError("--speed-up takes START,STEP,TOP in percent, such as 70,5,100, not \"" + text + "\"");
  }
  return {values[0], values[1], values[2]};
}

}  // namespace

PracticeOptions takePracticeOptions(const std::vector<std::string>& args) {
  PracticeOptions options;
  PracticePlan plan;
  bool given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--loop" || arg == "--from" || arg == "--speed-up" || arg == "--passes";
    const bool flag = arg == "--count-in" || arg == "--count-in-each-pass" || arg == "--metronome" ||
                      arg == "--tempo-from-tune" || arg == "--follow" || arg == "--keep-instrument";
    if (!takesValue && !flag) {
      options.args.push_back(arg);
      continue;
    }
    given = true;
    if (arg == "--count-in") plan.countIn = true;
    if (arg == "--count-in-each-pass") plan.countIn = plan.countInEachPass = true;
    if (arg == "--metronome") plan.metronome = true;
    if (arg == "--tempo-from-tune") plan.tempoFromTune = true;
    if (arg == "--follow") plan.follow = true;
    if (arg == "--keep-instrument") options.switchInstrumentAtStart = false;
    if (!takesValue) continue;
    if (i + 1 == args.size()) throw DumpUsageError(arg + " needs a value");
    const std::string& value = args[++i];
    if (arg == "--loop") readLoop(value, plan);
    if (arg == "--from") plan.startBar = wholeNumber(arg, value);
    if (arg == "--speed-up") plan.speedUp = readSpeedUp(value);
    if (arg == "--passes") plan.passLimit = static_cast<int>(std::min<std::uint32_t>(wholeNumber(arg, value), 100000));
  }
  // In the window a loop plays until Stop; here it plays the passes asked for.
  if (plan.loop != PracticePlan::Loop::Off && !plan.passLimit) plan.passLimit = 1;
  const std::vector<std::string> problems = planValueProblems(plan);
  if (!problems.empty()) throw DumpUsageError(problems.front());
  if (given) options.plan = plan;
  return options;
}

std::optional<RecordedPractice> practiceOf(const PracticeOptions& options) {
  if (!options.plan && options.switchInstrumentAtStart) return std::nullopt;
  return RecordedPractice{options.plan.value_or(PracticePlan{}), options.switchInstrumentAtStart};
}

std::vector<std::string> practiceProblems(const LineStore& lineStore, std::uint64_t chosenTune, Reading reading,
                                          const PracticePlan& plan, int replays) {
  TuneReader reader;
  const ParsedTune tune = reader.parse(lineStore, chosenTune, reading);
  const PracticeSession session(tune, readTuneTiming(tune.listedLines, reading), plan, replays);
  return session.problems();
}

}  // namespace corvale

namespace corvale {

void refuseWhatTheTuneCannotFollow(const LineStore& lineStore, std::uint64_t chosenTune, Reading reading,
                                   const PracticePlan& plan, const MidiDumpCommandLine& commandLine) {
  const std::vector<std::string> problems = practiceProblems(lineStore, chosenTune, reading, plan, commandLine.replays);
  if (!problems.empty()) {
    throw DumpUsageError(commandLine.file.string() + " tune " + commandLine.tuneNumber + ": " + problems.front());
  }
}

void tellReported(const std::string& reported, std::ostream& err) {
  std::istringstream lines(reported);
  std::string line;
  while (std::getline(lines, line)) err << "tunedump: " << line << '\n';
}

}  // namespace corvale
