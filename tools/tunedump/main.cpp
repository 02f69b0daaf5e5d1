#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "stop_signals.h"
#include "tune_dump.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    const int status = corvale::runTuneDump(args, std::cout, std::cerr);
    std::cout.flush();
    // An export stopped by a signal has cleaned up: now the signal ends the
    // program as it would have, with the status it gives.
    if (const int signal = corvale::caughtStopSignal()) {
      std::signal(signal, SIG_DFL);
      std::raise(signal);
    }
    return status;
  } catch (const std::bad_alloc&) {
    // Files are refused before they could fill memory; this is the last guard, so that
    // running out still ends with a message and the status of a file it cannot read.
    std::cout.flush();
    std::cerr << "tunedump: not enough memory\n";
    return 2;
  }
}
