#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvale {

// Bars as the written tune numbers them: a pickup is bar 0, the first full bar 1.
struct BarRange {
  std::uint32_t first = 0;
  std::uint32_t last = 0;
};

// Slow practice: the first pass at `startPercent` of the tempo, each pass after it
// `stepPercent` faster, never past `topPercent`.
struct SpeedUp {
  int startPercent = 70;
  int stepPercent = 5;
  int topPercent = 100;
};

inline constexpr int kLowestPercent = 10;
inline constexpr int kHighestPercent = 400;

// How the musician has asked a tune to be practised. A plan with nothing set plays
// the tune as the player always has.
struct PracticePlan {
  enum class Loop { Off, WholeTune, Part, Bars };
  Loop loop = Loop::Off;
  char part = 0;  // with Loop::Part: its label, 'A', 'B', ...
  BarRange bars;  // with Loop::Bars
  std::optional<std::uint32_t> startBar;
  bool countIn = false;
  bool countInEachPass = false;  // with countIn: before every pass, not only the first
  bool metronome = false;
  std::optional<SpeedUp> speedUp;
  bool tempoFromTune = false;
  bool follow = false;  // mark the line and the note being played in the tune's lines
  // The play ends after this many passes: a loop otherwise plays until Stop, and a
  // play without a loop plays REPLAYS + 1 passes.
  std::optional<int> passLimit;

  // Whether anything changes the rows, clicks or tempos of a play.
  bool shapesThePlay() const {
    return loop != Loop::Off || startBar || countIn || metronome || speedUp || passLimit;
  }
  bool needsBars() const { return loop == Loop::Part || loop == Loop::Bars || startBar; }
};

// What is wrong with a plan's own values, whatever the tune: an empty list when
// nothing is (bars m to n with m after n, percentages outside 10 to 400, a start
// above the top, a pass count below 1).
std::vector<std::string> planValueProblems(const PracticePlan& plan);

// The plan in a few words, for the message area when a play starts:
// "Loop: part B · count-in · 70→100 % by 5 %"; "" for a plan that changes nothing.
std::string planSummary(const PracticePlan& plan);

}  // namespace corvale
