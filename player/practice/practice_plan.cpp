#include "practice/practice_plan.h"

namespace corvale {
namespace {

bool withinPercents(int percent) { return percent >= kLowestPercent && percent <= kHighestPercent; }

std::string barsText(const BarRange& bars) {
  if (bars.first == bars.last) return "bar " + std::to_string(bars.first);
  return "bars " + std::to_string(bars.first) + "\u2013" + std::to_string(bars.last);
}

}  // namespace

std::vector<std::string> planValueProblems(const PracticePlan& plan) {
  std::vector<std::string> problems;
  if (plan.loop == PracticePlan::Loop::Bars && plan.bars.first > plan.bars.last) {
    problems.push_back("The loop's first bar (" + std::to_string(plan.bars.first) + ") comes after its last (" +
                       std::to_string(plan.bars.last) + ").");
  }
  if (plan.loop == PracticePlan::Loop::Part && (plan.part < 'A' || plan.part > 'Z')) {
    problems.push_back("A part is named by one capital letter, A to Z.");
  }
  if (plan.speedUp) {
    const SpeedUp& speedUp = *plan.speedUp;
    if (!withinPercents(speedUp.startPercent) || !withinPercents(speedUp.topPercent)) {
      problems.push_back("The speed-up's start and top are percentages from 10 to 400.");
    } else if (speedUp.startPercent > speedUp.topPercent) {
      problems.push_back("The speed-up starts at " + std::to_string(speedUp.startPercent) +
                         " %, above its top of " + std::to_string(speedUp.topPercent) + " %.");
    }
    if (speedUp.stepPercent < 0 || speedUp.stepPercent > kHighestPercent) {
      problems.push_back("The speed-up's step is a percentage from 0 to 400.");
    }
  }
  if (plan.passLimit && *plan.passLimit < 1) problems.push_back("A play has at least one pass.");
  return problems;
}

std::string planSummary(const PracticePlan& plan) {
  std::vector<std::string> words;
  switch (plan.loop) {
    case PracticePlan::Loop::Off: break;
    case PracticePlan::Loop::WholeTune: words.push_back("Loop: whole tune"); break;
    case PracticePlan::Loop::Part: words.push_back(std::string("Loop: part ") + plan.part); break;
    case PracticePlan::Loop::Bars: words.push_back("Loop: " + barsText(plan.bars)); break;
  }
  if (plan.startBar) words.push_back("from bar " + std::to_string(*plan.startBar));
  if (plan.countIn) words.push_back(plan.countInEachPass ? "count-in each pass" : "count-in");
  if (plan.metronome) words.push_back("metronome");
  if (plan.speedUp) {
    const SpeedUp& speedUp = *plan.speedUp;
    words.push_back(speedUp.stepPercent == 0 || speedUp.startPercent == speedUp.topPercent
                        ? std::to_string(speedUp.startPercent) + " %"
                        : std::to_string(speedUp.startPercent) + "\u2192" + std::to_string(speedUp.topPercent) +
                              " % by " + std::to_string(speedUp.stepPercent) + " %");
  }
  std::string summary;
  for (const std::string& word : words) summary += (summary.empty() ? "" : " \u00b7 ") + word;
  return summary;
}

}  // namespace corvale
