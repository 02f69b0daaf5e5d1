#include "player/export/play_measure.h"

#include <cmath>

namespace corvale {
namespace {

constexpr double kMicrosecondsPerHour = 3600e6;
constexpr double kLongestTold = 10000 * kMicrosecondsPerHour;

}  // namespace

double unitMicroseconds(int tempo) { return 2000e3 / tempo; }

PlayMeasure measurePlay(const EventTable& events, int tempo, int replays) {
  const double unit = unitMicroseconds(tempo) / 1000;
  double passMilliseconds = 0;
  for (int row = 1; row <= events.count(); ++row) {
    // The control waits a whole number of milliseconds, halves to even; none for a
    // row of no length, and a length past what it can wait is refused by it.
    const double wait = std::nearbyint(unit * events.row(row).duration);
    if (wait > 0) passMilliseconds += wait;
  }
  const auto passes = static_cast<std::uint64_t>(replays) + 1;
  return {passMilliseconds * 1000 * static_cast<double>(passes),
          static_cast<std::uint64_t>(events.count()) * passes};
}

std::string lengthText(double microseconds) {
  if (!(microseconds < kLongestTold)) return "more than 10,000 hours";
  const auto seconds = static_cast<long long>(std::ceil(microseconds / 1e6));
  const long long hours = seconds / 3600;
  const long long minutes = seconds / 60 % 60;
  if (hours > 0) return std::to_string(hours) + " h" + (minutes > 0 ? " " + std::to_string(minutes) + " min" : "");
  if (minutes > 0) return std::to_string(minutes) + " min " + std::to_string(seconds % 60) + " s";
  return std::to_string(seconds) + " s";
}

}  // namespace corvale
