// The multipliers window on the longest list: the prefixes of a 100,000-QSO log scored as
// CQ WPX, timed from a save or a resize to the window drawn anew.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <memory>

#include "bench_data.h"
#include "logged_session.h"
#include "session/session.h"
#include "ui_bench_program.h"
#include "windows/multipliers_window.h"

namespace mirva {
namespace {

using Steady = std::chrono::steady_clock;

/// A WPX session on the log, rescored so that its prefix list is full, and the window open on
/// it at 20 m CW.
struct OpenMults {
  BenchServices services;
  Workspace workspace{services.fs, services.notifier, ContestFolder("ui-mults", 100000)};
  std::unique_ptr<MultipliersWindow> window;

  OpenMults() {
    StartOptions options;
    options.contest = "CQ WW WPX Contest (CW)";
    workspace.Start(options);
    workspace.session().RescoreLog();
    window = std::make_unique<MultipliersWindow>(services.For(workspace));
    window->ShowContestMults("20", "CW");
    QCoreApplication::processEvents();
  }
};

std::unique_ptr<OpenMults>& Shared() {
  static std::unique_ptr<OpenMults> open;
  return open;
}

OpenMults* Open(benchmark::State& state) {
  if (!HaveData(state))
    return nullptr;
  if (!Shared()) {
    Shared() = std::make_unique<OpenMults>();
    // The window goes before the application does.
    qAddPostRoutine([] { Shared().reset(); });
  }
  state.counters["entries"] =
      static_cast<double>(Shared()->workspace.session().contest().MultList1.size());
  return Shared().get();
}

void BM_UiMultsSave(benchmark::State& state) {
  OpenMults* open = Open(state);
  if (!open)
    return;
  static int i = 0;
  for (auto _ : state) {
    TQSOData qso;
    qso.Call = "ZZ" + std::to_string(i++) + "A";
    qso.Band = "20";
    qso.Mode = "CW";
    qso.QSOTime = "12:30";
    auto start = Steady::now();
    open->workspace.session().SaveQso(qso);
    QCoreApplication::processEvents();
    state.SetIterationTime(std::chrono::duration<double>(Steady::now() - start).count());
  }
}
BENCHMARK(BM_UiMultsSave)->Apply(OneEventEach)->Repetitions(30);

void BM_UiMultsResize(benchmark::State& state) {
  OpenMults* open = Open(state);
  if (!open)
    return;
  static bool wide = false;
  for (auto _ : state) {
    wide = !wide;
    auto start = Steady::now();
    open->window->resize(wide ? 900 : 400, 500);
    QCoreApplication::processEvents();
    state.SetIterationTime(std::chrono::duration<double>(Steady::now() - start).count());
  }
}
BENCHMARK(BM_UiMultsResize)->Apply(OneEventEach)->Repetitions(30);

}  // namespace
}  // namespace mirva
