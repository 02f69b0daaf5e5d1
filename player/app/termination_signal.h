#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace corvale {

// Turns SIGTERM, SIGINT (Ctrl+C in the terminal) and SIGHUP (the terminal
// closing) into a call on the window's thread, so that every way of asking
// the player to stop closes the window as the musician would: the sounding
// note gets its note-off, the player loop ends and the MIDI output is
// closed. The signal handler only writes one byte to a socket that the event
// loop watches.
class TerminationSignal : public QObject {
 public:
  explicit TerminationSignal(std::function<void()> onTerminate, QObject* parent = nullptr);
  ~TerminationSignal() override;

 private:
  std::function<void()> onTerminate_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace corvale
