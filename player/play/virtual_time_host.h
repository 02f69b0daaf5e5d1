#pragma once

#include <cstdint>
#include <string>

#include "melodex/clock.h"
#include "melodex/host.h"
#include "melodex/property_store.h"

namespace corvale {

// A host with no window whose clock moves only when a timed note waits: the
// wait jumps straight to its deadline. Plays a tune at full length in no
// time, for tools and tests.
class VirtualTimeHost : public melodex::Host {
 public:
  explicit VirtualTimeHost(melodex::VirtualClock& clock) : clock_(clock) {}

  melodex::PropertyStore& propertyStore() override { return store_; }
  void propertyChanged(const std::string&) override {}
  bool userMode() const override { return true; }
  const melodex::Clock& clock() const override { return clock_; }
  void processPendingEvents() override {}
  void waitForEventsUntil(std::int64_t deadlineMicroseconds) override;
  bool closing() const override { return false; }

 private:
  melodex::VirtualClock& clock_;
  melodex::MemoryPropertyStore store_;
};

}  // namespace corvale
