#include "practice/practice_session.h"

#include <cmath>

#include "practice/row_selection.h"

namespace corvale {
namespace {

constexpr double kSameMoment = 1e-9;

std::vector<int> everyRow(int count) {
  std::vector<int> rows(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) rows[static_cast<std::size_t>(i)] = i + 1;
  return rows;
}

std::string barRangeText(const BarRange& bars) {
  return bars.first == bars.last ? "bar " + std::to_string(bars.first)
                                 : "bars " + std::to_string(bars.first) + "\u2013" + std::to_string(bars.last);
}

}  // namespace

PracticeSession::PracticeSession(const ParsedTune& tune, const TuneTiming& timing, const PracticePlan& plan,
                                 int replays)
    : plan_(plan), timing_(timing) {
  for (const std::string& problem : planValueProblems(plan_)) addProblem(problem, "The play goes on without practice.");
  if (!problems_.empty()) {
    // A plan with wrong values plays as no plan at all, so nothing half-applied is heard.
    plan_ = PracticePlan{};
    plan_.tempoFromTune = plan.tempoFromTune;
    plan_.follow = plan.follow;
  }
  chooseRows(tune);
  passCount_ = plan_.loop != PracticePlan::Loop::Off ? 0 : replays + 1;
  if (plan_.passLimit) passCount_ = *plan_.passLimit;
  for (int row : rows_) passLength_ += tune.events.row(row).duration;
  // A pass that takes no time is played once: a loop of it would never end.
  if (passLength_ <= kSameMoment) passCount_ = 1;
  placeClickGrid(tune);
  if ((plan_.countIn || plan_.metronome) && !timing_.beats.meterGiven) {
    notes_.push_back("The tune gives no metre (M:), so the clicks count quarter beats.");
  }
}

void PracticeSession::chooseRows(const ParsedTune& tune) {
  rows_ = everyRow(tune.events.count());
  const std::vector<RowPlace>& places = tune.places;
  const bool placed = !places.empty() && places.size() == static_cast<std::size_t>(tune.events.count());
  if (plan_.needsBars() && !placed) {
    addProblem(
        "Looping a part or bars and starting from a bar need the tune's bars, which only the standard reading "
        "knows.", "The tune plays whole.");
    if (plan_.loop != PracticePlan::Loop::WholeTune) plan_.loop = PracticePlan::Loop::Off;
    plan_.startBar.reset();
    return;
  }
  if (plan_.loop == PracticePlan::Loop::Part) {
    rows_ = rowsOfPart(places, plan_.part);
    if (rows_.empty()) {
      const std::string parts = partsOf(places);
      std::string listed;
      for (char part : parts) listed += (listed.empty() ? "" : ", ") + std::string(1, part);
      addProblem(std::string("The tune has no part ") + plan_.part +
                          (parts.empty() ? "." : " (its parts are " + listed + ")."),
                 "It plays whole.");
    }
  } else if (plan_.loop == PracticePlan::Loop::Bars) {
    const auto span = barSpan(places);
    if (span && plan_.bars.first >= span->first && plan_.bars.last <= span->last) rows_ = rowsOfBars(places, plan_.bars);
    else rows_.clear();
    if (rows_.empty()) {
      addProblem("The loop's " + barRangeText(plan_.bars) + " lie outside the tune" +
                          (span ? ", whose bars run from " + std::to_string(span->first) + " to " +
                                      std::to_string(span->last)
                                : "") +
                          ".",
                 "It plays whole.");
    }
  }
  if (rows_.empty()) {
    plan_.loop = PracticePlan::Loop::Off;
    rows_ = everyRow(tune.events.count());
  }
  if (plan_.startBar) {
    const auto first = firstRowOfBar(rows_, places, *plan_.startBar);
    if (first) {
      rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(*first));
    } else {
      addProblem("Bar " + std::to_string(*plan_.startBar) + " is not in " +
                     (plan_.loop == PracticePlan::Loop::Off ? "the tune." : "the loop."),
                 "The play starts at its beginning.");
      plan_.startBar.reset();
    }
  }
}

void PracticeSession::placeClickGrid(const ParsedTune& tune) {
  // A pass that begins with a pickup (bar 0) counts its beats from the first full bar.
  if (rows_.empty() || tune.places.size() != static_cast<std::size_t>(tune.events.count())) return;
  if (tune.places[static_cast<std::size_t>(rows_.front() - 1)].bar != 0) return;
  double at = 0;
  for (int row : rows_) {
    if (tune.places[static_cast<std::size_t>(row - 1)].bar != 0) {
      barOne_ = at;
      return;
    }
    at += tune.events.row(row).duration;
  }
}

std::optional<PracticePass> PracticeSession::pass(int number) const {
  if (number < 1 || rows_.empty() || (passCount_ > 0 && number > passCount_)) return std::nullopt;
  PracticePass pass;
  pass.number = number;
  pass.rows = rows_;
  pass.clicks = clicksOf(number);
  if (plan_.speedUp) {
    const SpeedUp& speedUp = *plan_.speedUp;
    // Grown in steps only while below the top, so a long loop cannot overflow.
    const long long grown = speedUp.startPercent + static_cast<long long>(speedUp.stepPercent) * (number - 1);
    pass.tempoPercent = static_cast<int>(std::min<long long>(grown, speedUp.topPercent));
  }
  return pass;
}

std::vector<Click> PracticeSession::clicksOf(int passNumber) const {
  std::vector<Click> clicks;
  const double beat = timing_.beatUnits();
  const int beatsPerBar = timing_.beats.beatsPerBar;
  if (!(beat > kSameMoment) || beatsPerBar < 1) return clicks;
  // The grid of beats runs through the first full bar's start; its first beat at or after 0:
  const double firstBeat = barOne_ - std::floor(barOne_ / beat + kSameMoment) * beat;
  const long long beatsBeforeBarOne = std::llround((barOne_ - firstBeat) / beat);
  if (plan_.countIn && (passNumber == 1 || plan_.countInEachPass)) {
    for (int before = beatsPerBar; before >= 1; --before) {
      clicks.push_back({firstBeat - before * beat, before == beatsPerBar});
    }
  }
  if (plan_.metronome) {
    for (long long k = 0; firstBeat + static_cast<double>(k) * beat < passLength_ - kSameMoment; ++k) {
      const long long fromBarOne = k - beatsBeforeBarOne;
      clicks.push_back({firstBeat + static_cast<double>(k) * beat, ((fromBarOne % beatsPerBar) + beatsPerBar) % beatsPerBar == 0});
    }
  }
  return clicks;
}

void PracticeSession::addProblem(const std::string& problem, const std::string& consequence) {
  problems_.push_back(problem);
  consequences_.push_back(consequence);
}

std::string PracticeSession::report() const {
  std::string text = planSummary(plan_);
  for (std::size_t i = 0; i < problems_.size(); ++i) {
    text += (text.empty() ? "" : "\n") + problems_[i] + " " + consequences_[i];
  }
  for (const std::string& line : notes_) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace corvale
