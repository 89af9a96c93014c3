#pragma once

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "logged_session.h"
#include "ui_running_program.h"

namespace mirva {

/// Opens these windows at the next start, on CQ WW CW; the settings, to add to.
inline std::unique_ptr<QSettings> StoreCqWwWindows(std::initializer_list<const char*> buttons) {
  auto settings = StoreOpenWindows(buttons);
  settings->setValue(
      QStringLiteral("%1/%2").arg(QLatin1String(kContestSection), QLatin1String(kContestIndexKey)),
      0);
  return settings;
}

/// The whole program on a working directory with a 100,000-QSO CQ WW CW log, the real country
/// file and the shipped catalogue, its entry, calls and QSO list windows open.
inline std::unique_ptr<RunningProgram> StartProgram(const std::string& dir) {
  StoreCqWwWindows({"sbNew", "sbQSOList", "sbCalls"});
  return std::make_unique<RunningProgram>(dir);
}

/// The working directory of the entry benchmarks, made once.
inline const std::string& WorkingDirectory() {
  static const std::string dir = [] {
    std::string made = ContestFolder("ui-entry", 100000);
    CopyShippedData(made);
    return made;
  }();
  return dir;
}

/// The program the key benchmarks share; it ends before the application does.
inline std::unique_ptr<RunningProgram>& Shared() {
  static std::unique_ptr<RunningProgram> running;
  return running;
}

/// The shared program; null, with the benchmark skipped, when it cannot run.
inline RunningProgram* Running(benchmark::State& state) {
  std::unique_ptr<RunningProgram>& running = Shared();
  if (!HaveData(state))
    return nullptr;
  if (!running) {
    running = StartProgram(WorkingDirectory());
    if (!running->Activate())
      state.SkipWithError("the entry window did not become active");
  }
  return running.get();
}

/// Types calls into the shared program (TimeCallKeys).
inline void TypeCalls(benchmark::State& state, bool partial) {
  if (RunningProgram* running = Running(state))
    TimeCallKeys(state, *running, partial);
}

}  // namespace mirva
