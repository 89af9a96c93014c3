// The statistics window on a 100,000-QSO log spread over 48 hours and six bands: opening it
// (the rate counted and the chart drawn) and one save, timed to the window drawn anew.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "bench_data.h"
#include "logged_session.h"
#include "session/session.h"
#include "ui_bench_program.h"
#include "windows/statistics_window.h"

namespace mirva {
namespace {

using Steady = std::chrono::steady_clock;

/// A working directory with the real country file and a log of two days of QSOs.
std::string RateFolder() {
  std::string dir = BenchFolder("ui-stat");
  std::filesystem::copy_file(kCountryFile, dir + "/CTY.DAT");
  const char* bands[] = {"160", "80", "40", "20", "15", "10"};
  const std::size_t count = 100000;
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) {
    TQSOData q;
    std::size_t minute = i * 48 * 60 / count;
    char time[8];
    std::snprintf(time, sizeof time, "%02zu:%02zu", minute / 60 % 24, minute % 60);
    q.QSODate = 46000 + static_cast<double>(minute / (24 * 60));
    q.QSOTime = time;
    q.Call = "UA" + std::to_string(i % 10) + "ABC" + std::to_string(i % 997);
    q.Band = bands[i % 6];
    q.Mode = "CW";
    bytes += EncodeQSO(q);
  }
  std::ofstream(dir + "/" + kLogFileName, std::ios::binary) << bytes;
  return dir;
}

struct OpenStat {
  BenchServices services;
  Workspace workspace{services.fs, services.notifier, RateFolder()};
  std::unique_ptr<StatisticsWindow> window;

  OpenStat() {
    StartOptions options;
    options.contest = "CQ WW DX Contest (CW)";
    workspace.Start(options);
  }
  void Open() {
    window = std::make_unique<StatisticsWindow>(services.For(workspace));
    window->show();
    QCoreApplication::processEvents();
  }
};

OpenStat* Shared(benchmark::State& state) {
  static std::unique_ptr<OpenStat> open;
  if (!HaveData(state))
    return nullptr;
  if (!open) {
    open = std::make_unique<OpenStat>();
    qAddPostRoutine([] { open.reset(); });
  }
  return open.get();
}

void BM_UiStatOpen(benchmark::State& state) {
  OpenStat* stat = Shared(state);
  if (!stat)
    return;
  for (auto _ : state) {
    stat->window.reset();
    auto start = Steady::now();
    stat->Open();
    state.SetIterationTime(std::chrono::duration<double>(Steady::now() - start).count());
  }
}
BENCHMARK(BM_UiStatOpen)->Apply(OneEventEach)->Repetitions(10);

void BM_UiStatSave(benchmark::State& state) {
  OpenStat* stat = Shared(state);
  if (!stat)
    return;
  if (!stat->window)
    stat->Open();
  static int i = 0;
  for (auto _ : state) {
    TQSOData qso;
    qso.Call = "ZZ" + std::to_string(i++) + "A";
    qso.Band = "20";
    qso.Mode = "CW";
    qso.QSODate = 46001;
    qso.QSOTime = "23:59";
    auto start = Steady::now();
    stat->workspace.session().SaveQso(qso);
    QCoreApplication::processEvents();
    state.SetIterationTime(std::chrono::duration<double>(Steady::now() - start).count());
  }
}
BENCHMARK(BM_UiStatSave)->Apply(OneEventEach)->Repetitions(30);

}  // namespace
}  // namespace mirva
