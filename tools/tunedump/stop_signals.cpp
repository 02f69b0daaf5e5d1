#include "stop_signals.h"

#include <csignal>

namespace corvale {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "set from a signal handler");
std::atomic<bool> stopFlag{false};
std::atomic<int> caughtSignal{0};

extern "C" void onStopSignal(int signal) {
  caughtSignal.store(signal);
  stopFlag.store(true);
}

}  // namespace

StopOnSignals::StopOnSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : kStopSignals) ::sigaction(signal, &action, nullptr);
}

StopOnSignals::~StopOnSignals() {
  for (const int signal : kStopSignals) ::signal(signal, SIG_DFL);
}

const std::atomic<bool>& stopRequested() { return stopFlag; }

int caughtStopSignal() { return caughtSignal.load(); }

}  // namespace corvale
