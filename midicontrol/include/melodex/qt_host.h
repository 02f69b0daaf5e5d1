#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "melodex/host.h"

class QEventLoop;
class QWidget;

namespace melodex {

// The host services for a control placed on a Qt window: run mode, an
// in-memory saved design, events processed through Qt's event loop, and the
// timed wait, which sleeps in the event loop (no spinning) and wakes on time.
class QtHost : public QObject, public Host {
 public:
  QtHost(QWidget* window, PropertyStore& store, const Clock& clock);

  PropertyStore& propertyStore() override { return store_; }
  void propertyChanged(const std::string& name) override;
  bool userMode() const override { return true; }
  const Clock& clock() const override { return clock_; }
  void processPendingEvents() override;
  void waitForEventsUntil(std::int64_t deadlineMicroseconds) override;
  bool closing() const override { return closing_; }
  QWidget* window() const override { return window_; }
  void showNotice(const std::string& text) override;

  // Where notices go: the window's message area. Without one they are dropped.
  void setNoticeSink(std::function<void(const std::string&)> sink) { noticeSink_ = std::move(sink); }

  // The window is closing: ends a wait in progress and every later one at once.
  void requestClose();
  // True once the control changed a property since the host was made.
  bool designChanged() const { return designChanged_; }

 private:
  QWidget* window_;
  PropertyStore& store_;
  const Clock& clock_;
  bool closing_ = false;
  bool designChanged_ = false;
  std::function<void(const std::string&)> noticeSink_;
  std::vector<QEventLoop*> waitingLoops_;  // nested when an event handler plays a note during a wait
};

}  // namespace melodex
