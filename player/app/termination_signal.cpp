#include "player/app/termination_signal.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace corvale {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The two ends of the socket pair: the handler writes to [0], the event loop reads [1].
int signalSockets[2] = {-1, -1};

extern "C" void onTerminateSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

}  // namespace

TerminationSignal::TerminationSignal(std::function<void()> onTerminate, QObject* parent)
    : QObject(parent), onTerminate_(std::move(onTerminate)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) {
    throw std::runtime_error("cannot watch for the terminate signal: no socket pair");
  }
  notifier_ = std::make_unique<QSocketNotifier>(signalSockets[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
    }
    onTerminate_();
  });
  struct sigaction action {};
  action.sa_handler = onTerminateSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int ending : kEndingSignals) ::sigaction(ending, &action, nullptr);
}

TerminationSignal::~TerminationSignal() {
  for (const int ending : kEndingSignals) ::signal(ending, SIG_DFL);
  notifier_.reset();
  ::close(signalSockets[0]);
  ::close(signalSockets[1]);
  signalSockets[0] = signalSockets[1] = -1;
}

}  // namespace corvale
