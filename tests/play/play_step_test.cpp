#include "player/play/play_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_player_view.h"
#include "scripted_control.h"

namespace corvale {
namespace {

using testing::FakePlayerView;
using testing::ScriptedControl;
using Log = std::vector<std::string>;

const char* const kTwoTunes =
    "X:1\nT:First\nK:D\nDE|\n"
    "X:2\nT:Second\nK:G\nG2\n";

class PlayStepTest : public ::testing::Test {
 protected:
  Log log;
  FakePlayerView view{log};
  ScriptedControl midix{log, view};
  PlayStep step{view, midix};
  LineStore lines = LineStore::fromText(kTwoTunes);
};

TEST_F(PlayStepTest, ListsTheLinesAndKeyBeforeOpeningTheOutput) {
  step.playChosenTune(lines, 1);

  const Log expectedStart{"list 4", "key D", "open"};
  EXPECT_EQ(Log(log.begin(), log.begin() + 3), expectedStart);
  EXPECT_EQ(std::count(log.begin(), log.end(), std::string("on 62 80 8 for 1.000000 at 0")), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), std::string("on 64 80 8 for 1.000000 at 182")), 1);
}

TEST_F(PlayStepTest, EndsWaitingWithTheListEmptied) {
  const PlayOutcome outcome = step.playChosenTune(lines, 2);

  EXPECT_EQ(outcome.ending, PlayEnding::Finished);
  EXPECT_TRUE(view.tuneLines.empty());
  EXPECT_EQ(view.runState, kStartCaption);
  EXPECT_EQ(log.back(), "idle");
}

TEST_F(PlayStepTest, KeyIsResetForATuneWithoutAKeyLine) {
  const LineStore keyless = LineStore::fromText("X:1\nT:First\nK:D\nD\nX:2\nT:No key\nG\n");
  step.playChosenTune(keyless, 1);
  step.playChosenTune(keyless, 2);

  EXPECT_EQ(view.keyText, "");
}

TEST_F(PlayStepTest, NoTuneChosenPlaysTheLinesBeforeTheFirstTune) {
  const PlayOutcome outcome = step.playChosenTune(lines, 0);

  EXPECT_EQ(outcome.ending, PlayEnding::Finished);
  EXPECT_EQ(std::count(log.begin(), log.end(), std::string("close")), 1);
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("on ", 0) == 0; }), 0);
}

TEST_F(PlayStepTest, EachPlayParsesTheTuneAfresh) {
  step.playChosenTune(lines, 1);
  log.clear();
  view.runState = kStopCaption;
  step.playChosenTune(lines, 1);

  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("on ", 0) == 0; }), 2);
}

}  // namespace
}  // namespace corvale
