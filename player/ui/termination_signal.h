#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace corvale {

// Turns SIGTERM into a call on the window's thread, so that a system asking
// the player to stop closes the window as the musician would: the player
// loop ends and the MIDI output is closed. The signal handler only writes
// one byte to a pipe that the event loop watches.
class TerminationSignal : public QObject {
 public:
  explicit TerminationSignal(std::function<void()> onTerminate, QObject* parent = nullptr);
  ~TerminationSignal() override;

 private:
  std::function<void()> onTerminate_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace corvale
