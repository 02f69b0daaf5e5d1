#pragma once

#include <optional>
#include <string>
#include <vector>

#include "practice/practice_plan.h"
#include "practice/tune_timing.h"
#include "tune/tune_parser.h"

namespace corvale {

// A click of the count-in or the metronome, `at` units from the pass's first note
// (a count-in's clicks come before it, below 0); `accent` on the first beat of a bar.
struct Click {
  double at = 0;
  bool accent = false;
};

// One pass of a practice play: which rows of the tune's event table sound, in order,
// the clicks among them, and the share of the tempo it plays at.
struct PracticePass {
  int number = 1;
  std::vector<int> rows;  // rows of ParsedTune::events, counted from 1
  std::vector<Click> clicks;  // in time order
  int tempoPercent = 100;
};

// A plan applied to one parsed tune: the rows of a pass (a loop's part or bars, from
// the start bar on), how many passes there are, and each pass's clicks and tempo.
// What the tune cannot follow (a part it does not have, bars outside it, bars under
// the classic reading) is left out of the play and said in problems().
class PracticeSession {
 public:
  // `replays` is the REPLAYS slider, counted when no loop is on.
  PracticeSession(const ParsedTune& tune, const TuneTiming& timing, const PracticePlan& plan, int replays);

  // Pass `number` from 1; nothing once the play has had its passes.
  std::optional<PracticePass> pass(int number) const;

  const PracticePlan& plan() const { return plan_; }
  const TuneTiming& timing() const { return timing_; }
  // Parts of the plan this tune cannot follow, each in a sentence; report() adds what
  // the play does instead.
  const std::vector<std::string>& problems() const { return problems_; }
  // Worth knowing, not wrong: "The tune has no M: field: ...".
  const std::vector<std::string>& notes() const { return notes_; }
  // The summary and every problem and note, for the message area.
  std::string report() const;

 private:
  void addProblem(const std::string& problem, const std::string& consequence);
  void chooseRows(const ParsedTune& tune);
  void placeClickGrid(const ParsedTune& tune);
  std::vector<Click> clicksOf(int passNumber) const;

  PracticePlan plan_;
  TuneTiming timing_;
  int passCount_ = 1;  // 0: until Stop
  std::vector<int> rows_;
  double passLength_ = 0;  // in units
  double barOne_ = 0;      // where the first full bar starts in a pass, in units
  std::vector<std::string> problems_;
  std::vector<std::string> consequences_;  // what the play does instead, one a problem
  std::vector<std::string> notes_;
};

}  // namespace corvale
