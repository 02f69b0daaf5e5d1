#include "player/window/heard_boxes.h"

#include <algorithm>

#include "player/window/fingerboard.h"

namespace corvale {

HeardBoxes::HeardBoxes(Fingerboard& fingerboard, std::function<std::int64_t()> delayMicroseconds)
    : fingerboard_(fingerboard), delayMicroseconds_(std::move(delayMicroseconds)) {
  clock_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { applyDue(); });
}

void HeardBoxes::showBox(int box) { change(box, true); }

void HeardBoxes::hideBox(int box) { change(box, false); }

void HeardBoxes::hideAll() {
  held_.clear();
  timer_.stop();
  fingerboard_.hideAll();
}

void HeardBoxes::change(int box, bool show) {
  const std::int64_t delay = delayMicroseconds_();
  if (delay <= 0 && held_.empty()) {
    apply({0, box, show});
    return;
  }
  // A change never overtakes one asked for before it.
  held_.push_back({clock_.nsecsElapsed() / 1000 + std::max<std::int64_t>(delay, 0), box, show});
  if (held_.size() == 1) startTimer();
}

void HeardBoxes::apply(const Change& change) {
  if (change.show) {
    fingerboard_.showBox(change.box);
  } else {
    fingerboard_.hideBox(change.box);
  }
}

void HeardBoxes::applyDue() {
  // A timer may wake a fraction of a millisecond early.
  const std::int64_t now = clock_.nsecsElapsed() / 1000 + 500;
  while (!held_.empty() && held_.front().dueMicroseconds <= now) {
    const Change due = held_.front();
    held_.pop_front();
    apply(due);
  }
  if (!held_.empty()) startTimer();
}

void HeardBoxes::startTimer() {
  const std::int64_t wait = held_.front().dueMicroseconds - clock_.nsecsElapsed() / 1000;
  timer_.start(static_cast<int>(std::max<std::int64_t>(wait, 0) / 1000));
}

}  // namespace corvale
