#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "melodex/host.h"
#include "melodex/midi_control.h"
#include "melodex/recording_platform.h"
#include "melodex/runtime_error.h"

// A host for driving the control with no window: time is a VirtualClock the
// test owns, window events are functions the test queues. Waiting runs the
// queued events, then moves the clock to the deadline.
class TestHost final : public melodex::Host {
 public:
  melodex::PropertyStore& propertyStore() override { return store; }
  void propertyChanged(const std::string& name) override { changedProperties.push_back(name); }
  bool userMode() const override { return runMode; }
  const melodex::Clock& clock() const override { return virtualClock; }
  void processPendingEvents() override {
    ++processCalls;
    runQueuedEvents();
  }
  // Like a real host, a wait may end early (an event came); each ends at most
  // longestWait after it began.
  void waitForEventsUntil(std::int64_t deadlineMicroseconds) override {
    waitDeadlines.push_back(deadlineMicroseconds);
    runQueuedEvents();
    const std::int64_t now = virtualClock.nowMicroseconds();
    if (!closingNow) virtualClock.advanceTo(deadlineMicroseconds - now > longestWait ? now + longestWait : deadlineMicroseconds);
  }
  bool closing() const override { return closingNow; }
  void showNotice(const std::string& text) override { notices.push_back(text); }

  void queueEvent(std::function<void()> event) { events.push_back(std::move(event)); }

  melodex::MemoryPropertyStore store;
  melodex::VirtualClock virtualClock;
  bool runMode = true;
  bool closingNow = false;
  std::int64_t longestWait = INT64_MAX;
  int processCalls = 0;
  std::vector<std::int64_t> waitDeadlines;
  std::vector<std::string> changedProperties;
  std::vector<std::string> notices;

 private:
  void runQueuedEvents() {
    while (!events.empty()) {
      auto event = std::move(events.front());
      events.pop_front();
      event();
    }
  }
  std::deque<std::function<void()>> events;
};

// Installs a recording output on the host's clock for the life of a test.
struct RecordingOutput {
  explicit RecordingOutput(const melodex::Host& host)
      : platform(std::make_shared<melodex::RecordingPlatform>(host.clock())) {
    melodex::installPlatform(platform);
  }
  // Leaves a harmless output behind, so no later test reaches the real sound system.
  ~RecordingOutput() {
    static const melodex::VirtualClock idleClock;
    melodex::installPlatform(std::make_shared<melodex::RecordingPlatform>(idleClock));
  }
  std::shared_ptr<melodex::RecordingPlatform> platform;
};

// The run-time error number a call raises, or 0 when it raises none.
inline int errorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const melodex::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

// A control on a TestHost with a recording output, the set-up most tests share.
class ControlTest : public ::testing::Test {
 protected:
  // Opens the output, then forgets the program resets the open sent.
  void openAndForget() {
    control.OpenHandle();
    output.platform->clear();
  }

  TestHost host;
  RecordingOutput output{host};
  melodex::MidiControl control{host};
};
