#pragma once

#include <atomic>

namespace corvale {

// While one lives, SIGTERM, SIGINT and SIGHUP do not end tunedump at once: the
// handler only raises `stopRequested()`, which the export's work checks between
// blocks, so the export stops cleanly and its partial file is removed. The
// signal is kept for caughtStopSignal(), so that tunedump can then end with the
// status that signal gives (see main). Before and after, the signals act as usual.
class StopOnSignals {
 public:
  StopOnSignals();
  ~StopOnSignals();
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;
};

const std::atomic<bool>& stopRequested();
// The signal that asked for the stop, or 0.
int caughtStopSignal();

}  // namespace corvale
