#include "stop_signals.h"

#include <csignal>

namespace mirva {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t requested = 0;

extern "C" void AskToStop(int signal) {
  requested = signal;
  std::signal(signal, SIG_DFL);
}

}  // namespace

StopSignals::StopSignals() {
  requested = 0;
  for (int signal : kSignals) {
    // A signal the program was started to ignore (nohup, a background job) stays ignored.
    if (std::signal(signal, AskToStop) == SIG_IGN)
      std::signal(signal, SIG_IGN);
  }
}

StopSignals::~StopSignals() {
  for (int signal : kSignals) {
    if (std::signal(signal, SIG_DFL) == SIG_IGN)
      std::signal(signal, SIG_IGN);
  }
}

int StopSignals::Requested() const {
  return requested;
}

}  // namespace mirva
