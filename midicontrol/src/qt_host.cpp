#include "melodex/qt_host.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

namespace melodex {

namespace {

// Qt's event loop wakes a little late (about 0.15 ms plus 0.1 % of the sleep
// on these machines), so it is woken this much before the deadline...
constexpr std::int64_t kWakeMarginMicroseconds = 1500;
constexpr std::int64_t kMarginPerWait = 500;  // ...plus 0.2 % of what is left
// ...and the rest is slept precisely, with only the last instant spun.
constexpr std::int64_t kSpinMicroseconds = 150;

}  // namespace

QtHost::QtHost(QWidget* window, PropertyStore& store, const Clock& clock)
    : window_(window), store_(store), clock_(clock) {}

void QtHost::propertyChanged(const std::string&) { designChanged_ = true; }

void QtHost::processPendingEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtHost::waitForEventsUntil(std::int64_t deadlineMicroseconds) {
  const bool hasEventLoop = QCoreApplication::instance() != nullptr;
  while (!closing_) {
    const std::int64_t remaining = deadlineMicroseconds - clock_.nowMicroseconds();
    if (remaining <= 0) return;
    const std::int64_t margin = kWakeMarginMicroseconds + remaining / kMarginPerWait;
    if (hasEventLoop && remaining > margin + 1000) {
      // Sleep in the event loop, handling each window event as it arrives.
      QEventLoop loop;
      QTimer wake;
      wake.setSingleShot(true);
      wake.setTimerType(Qt::PreciseTimer);
      QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
      // A far deadline is reached in several sleeps: a timer takes at most
      // INT_MAX milliseconds, and a wrapped, negative one would never fire.
      wake.start(static_cast<int>(std::min<std::int64_t>((remaining - margin) / 1000, INT_MAX)));
      waitingLoops_.push_back(&loop);
      loop.exec();
      waitingLoops_.erase(std::find(waitingLoops_.begin(), waitingLoops_.end(), &loop));
      continue;
    }
    // The last moment: take what arrived, then land on the deadline.
    processPendingEvents();
    if (closing_) return;
    const std::int64_t left = deadlineMicroseconds - clock_.nowMicroseconds();
    if (left > kSpinMicroseconds) std::this_thread::sleep_for(std::chrono::microseconds(left - kSpinMicroseconds));
    while (clock_.nowMicroseconds() < deadlineMicroseconds) {
    }
    return;
  }
}

void QtHost::showNotice(const std::string& text) {
  if (noticeSink_) noticeSink_(text);
}

void QtHost::requestClose() {
  closing_ = true;
  for (QEventLoop* loop : waitingLoops_) loop->quit();
}

}  // namespace melodex
