#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>

#include "melodex/clock.h"
#include "melodex/qt_host.h"

namespace corvale::testing {

// The window's real host, but on a virtual clock that a note's wait moves on
// in steps of a millisecond, handling the window's events at every step: a
// whole tune plays in a moment, and actions set for an instant of the tune
// run inside the note sounding then, as a click at that moment would.
class FastQtHost : public melodex::QtHost {
 public:
  FastQtHost(QWidget* window, melodex::PropertyStore& store, melodex::VirtualClock& clock)
      : QtHost(window, store, clock), clock_(clock) {}

  void at(std::int64_t milliseconds, std::function<void()> action) {
    actions_.emplace(milliseconds * 1000, std::move(action));
  }

  void waitForEventsUntil(std::int64_t deadlineMicroseconds) override {
    while (clock_.nowMicroseconds() < deadlineMicroseconds && !closing()) {
      processPendingEvents();
      while (!actions_.empty() && actions_.begin()->first <= clock_.nowMicroseconds()) {
        const std::function<void()> action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
      }
      if (closing()) return;
      clock_.advanceTo(std::min(deadlineMicroseconds, clock_.nowMicroseconds() + 1000));
    }
  }

 private:
  melodex::VirtualClock& clock_;
  std::multimap<std::int64_t, std::function<void()>> actions_;
};

}  // namespace corvale::testing
