#pragma once

#include <string>
#include <utility>

#include "practice/practice_plan.h"
#include "practice/tune_outline.h"

namespace corvale {

// The musician's practice choices as a play sees them: read when a play starts and
// between its notes. The program's Practice menu is one; a fixed plan is another.
class PracticeDesk {
 public:
  virtual ~PracticeDesk() = default;

  virtual PracticePlan plan() const = 0;
  // Whether every start changes to the other instrument, as the player always has.
  virtual bool switchInstrumentAtStart() const { return true; }
  // True once after the musician asked for the play to start again (from the start
  // bar the plan now holds), honoured after the sounding note.
  virtual bool takeRestart() { return false; }
  // The plan in words, with anything the tune could not follow, when a play starts.
  virtual void report(const std::string& text) = 0;
  // The tune now chosen, before it plays; a new tune clears the loop and start bar.
  virtual void tuneChosen(const TuneOutline&) {}
};

// A plan set once: tunedump's and a recorded play's.
class FixedPracticeDesk : public PracticeDesk {
 public:
  explicit FixedPracticeDesk(PracticePlan plan, bool switchInstrumentAtStart = true)
      : plan_(std::move(plan)), switchInstrumentAtStart_(switchInstrumentAtStart) {}

  PracticePlan plan() const override { return plan_; }
  bool switchInstrumentAtStart() const override { return switchInstrumentAtStart_; }
  void report(const std::string& text) override { reported_ += text.empty() ? "" : text + "\n"; }
  const std::string& reported() const { return reported_; }

 private:
  PracticePlan plan_;
  bool switchInstrumentAtStart_;
  std::string reported_;
};

}  // namespace corvale
