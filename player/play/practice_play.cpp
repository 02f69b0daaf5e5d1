#include "player/play/practice_play.h"

namespace corvale {

PracticePlay::PracticePlay(const ParsedTune& tune, Reading reading, PracticeDesk& desk, int replays)
    : tune_(tune), desk_(desk), timing_(readTuneTiming(tune.listedLines, reading)), replays_(replays),
      session_(tune, timing_, desk.plan(), replays) {}

void PracticePlay::restart() {
  session_ = PracticeSession(tune_, timing_, desk_.plan(), replays_);
  desk_.report(session_.report());
}

}  // namespace corvale
