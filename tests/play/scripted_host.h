#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "melodex/clock.h"
#include "player/play/virtual_time_host.h"

namespace corvale::testing {

// A windowless host on a virtual clock that runs a test's actions at chosen
// instants inside a note's wait, as clicks handled during the note would.
class ScriptedHost : public VirtualTimeHost {
 public:
  explicit ScriptedHost(melodex::VirtualClock& clock) : VirtualTimeHost(clock), clock_(clock) {}

  void at(std::int64_t milliseconds, std::function<void()> action) {
    actions_.emplace(milliseconds * 1000, std::move(action));
  }

  void waitForEventsUntil(std::int64_t deadlineMicroseconds) override {
    while (!actions_.empty() && actions_.begin()->first <= deadlineMicroseconds && !closing()) {
      clock_.advanceTo(actions_.begin()->first);
      const std::function<void()> action = std::move(actions_.begin()->second);
      actions_.erase(actions_.begin());
      action();
    }
    VirtualTimeHost::waitForEventsUntil(deadlineMicroseconds);
  }

 private:
  melodex::VirtualClock& clock_;
  std::multimap<std::int64_t, std::function<void()>> actions_;
};

}  // namespace corvale::testing
