#include <windows.h>

#include <atomic>
#include <csignal>

#include "stop_signals.h"

namespace mirva {

namespace {

std::atomic<int> requested{0};

/// Runs on a thread of its own that the console starts. The first Ctrl+C, Ctrl+Break or
/// close of the console asks to stop; a second one gets the default handling, which ends
/// the process.
BOOL WINAPI AskToStop(DWORD event) {
  int signal = event == CTRL_C_EVENT ? SIGINT : event == CTRL_BREAK_EVENT ? SIGBREAK : SIGTERM;
  int none = 0;
  return requested.compare_exchange_strong(none, signal) ? TRUE : FALSE;
}

}  // namespace

StopSignals::StopSignals() {
  requested = 0;
  SetConsoleCtrlHandler(AskToStop, TRUE);
}

StopSignals::~StopSignals() {
  SetConsoleCtrlHandler(AskToStop, FALSE);
}

int StopSignals::Requested() const {
  return requested;
}

}  // namespace mirva
