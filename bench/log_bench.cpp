#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench_data.h"
#include "log/log_store.h"
#include "posix_file_system.h"
#include "scoring/impossible_qsos.h"

namespace mirva {
namespace {

/// A folder with a log of `count` QSOs, made once per run.
std::string LogFolder(std::size_t count) {
  std::string dir = BenchFolder("log-" + std::to_string(count));
  std::string bytes;
  bytes.reserve(count * kQsoRecordSize);
  for (std::size_t i = 0; i < count; ++i) {
    TQSOData q;
    q.QSODate = 46000 + static_cast<double>(i / 5000);
    q.QSOTime = "12:34";
    q.Call = "UA" + std::to_string(i % 10) + "ABC" + std::to_string(i % 997);
    q.Band = "20";
    q.Mode = "CW";
    q.RprtSent = "599";
    q.NumberSent = std::to_string(i + 1);
    q.RprtRcvd = "599";
    q.NumberRcvd = "16";
    q.Points = 3;
    q.MultsText = i % 20 == 0 ? "UA 16" : "- -";
    q.CountryPrefix = "UA";
    bytes += EncodeQSO(q);
  }
  std::ofstream(dir + "/" + kLogFileName, std::ios::binary) << bytes;
  return dir;
}

void BM_LoadLog100k(benchmark::State& state) {
  static const std::string dir = LogFolder(100000);
  PosixFileSystem fs;
  for (auto _ : state) {
    LogStore store(fs, dir);
    store.LoadLog();
    benchmark::DoNotOptimize(store.QSOLog().size());
  }
}
BENCHMARK(BM_LoadLog100k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The same size of log made of the real callsigns of the call file, nearly all of them
// distinct, so that building the callsign index weighs as it does in a real contest.
void BM_LoadLog100kRealCalls(benchmark::State& state) {
  if (!std::filesystem::exists(kCallFile)) {
    state.SkipWithError("hamradio-files not installed");
    return;
  }
  static const std::string dir = ContestFolder("log-real-calls", 100000);
  PosixFileSystem fs;
  for (auto _ : state) {
    LogStore store(fs, dir);
    store.LoadLog();
    benchmark::DoNotOptimize(store.QSOLog().size());
  }
}
BENCHMARK(BM_LoadLog100kRealCalls)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_AppendQSO(benchmark::State& state) {
  std::string dir = BenchFolder("append");
  PosixFileSystem fs;
  LogStore store(fs, dir);
  store.LoadLog();
  TQSOData q;
  q.Call = "DL1ABC";
  for (auto _ : state)
    store.AppendQSO(q);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AppendQSO)->Unit(benchmark::kMicrosecond)->Iterations(200);

// The check at start-up of which records cannot be QSOs: the bands and modes of every contest
// gathered, then every record of the log looked at.
void BM_ImpossibleQsos100k(benchmark::State& state) {
  static const std::string dir = LogFolder(100000);
  PosixFileSystem fs;
  LogStore store(fs, dir);
  store.LoadLog();
  TStationCFG station;
  CountryDatabase countries;
  std::vector<TDomestic> domestic;
  TPointsTable points;
  RuleContext ctx{station, countries, domestic, points, store};
  for (auto _ : state)
    benchmark::DoNotOptimize(ImpossibleQsos(store.QSOLog(), AllBandsAndModes(ctx)).size());
}
BENCHMARK(BM_ImpossibleQsos100k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace mirva
