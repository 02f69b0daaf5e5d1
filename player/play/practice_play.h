#pragma once

#include "abc/tune_reading.h"
#include "practice/practice_desk.h"
#include "practice/practice_session.h"
#include "tune/tune_parser.h"

namespace corvale {

// A tune played under the musician's practice choices: the parsed tune and the
// session its plan makes, made anew from the desk's plan when the musician asks
// for the play to start again. The tune must outlive it.
class PracticePlay {
 public:
  PracticePlay(const ParsedTune& tune, Reading reading, PracticeDesk& desk, int replays);

  const ParsedTune& tune() const { return tune_; }
  const PracticeSession& session() const { return session_; }
  // Takes the desk's plan as it now is (a new start bar) and tells the musician.
  void restart();

 private:
  const ParsedTune& tune_;
  PracticeDesk& desk_;
  TuneTiming timing_;
  int replays_;
  PracticeSession session_;
};

}  // namespace corvale
