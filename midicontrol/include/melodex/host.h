#pragma once

#include <cstdint>
#include <string>

#include "melodex/clock.h"
#include "melodex/property_store.h"

class QWidget;

namespace melodex {

// What a host gives a control placed on it. Everything runs on the host's
// window thread.
class Host {
 public:
  virtual ~Host() = default;

  // The host's saved design for this control.
  virtual PropertyStore& propertyStore() = 0;
  // Told after a property was set, so the host can mark its design changed.
  virtual void propertyChanged(const std::string& name) = 0;
  // Ambient user mode: true while the host runs (run mode), false in design mode.
  virtual bool userMode() const = 0;

  // The clock that times notes; waits below use its time.
  virtual const Clock& clock() const = 0;
  // Handles every window event already queued, then returns.
  virtual void processPendingEvents() = 0;
  // Sleeps until a window event arrives or the clock reaches the deadline,
  // handling events as they come; returns at the deadline, or earlier once
  // the host is closing.
  virtual void waitForEventsUntil(std::int64_t deadlineMicroseconds) = 0;
  // True once the host's window is closing: long waits end early.
  virtual bool closing() const = 0;
  // Tells the musician, in the window's own message place, why the control
  // is holding things up ("Loading the sound…"); an empty text takes the
  // notice away. A host with nowhere to show it ignores it.
  virtual void showNotice(const std::string& /*text*/) {}

  // The window that shows the control's face and parents its About box;
  // nullptr for a host with no window (a tool, a test): the control then
  // creates no widget at all.
  virtual QWidget* window() const { return nullptr; }
};

}  // namespace melodex
