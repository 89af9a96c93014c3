// Contest set-up and the duplicate check on a large log, with the real country file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_data.h"
#include "posix_file_system.h"
#include "session/session.h"

namespace mirva {
namespace {

void BM_SetupCqWw(benchmark::State& state) {
  if (!std::filesystem::exists(kCountryFile)) {
    state.SkipWithError("hamradio-files not installed");
    return;
  }
  static const std::string dir = ContestFolder("setup", 0);
  PosixFileSystem fs;
  SilentNotifier notifier;
  Session session(fs, notifier, dir);
  for (auto _ : state)
    benchmark::DoNotOptimize(session.SetupContest("CQ WW DX Contest (CW)"));
}
BENCHMARK(BM_SetupCqWw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_IsDupe100k(benchmark::State& state) {
  if (!std::filesystem::exists(kCountryFile)) {
    state.SkipWithError("hamradio-files not installed");
    return;
  }
  static const std::string dir = ContestFolder("dupe", 100000);
  PosixFileSystem fs;
  SilentNotifier notifier;
  Session session(fs, notifier, dir);
  session.Start();
  session.SetupContest("CQ WW DX Contest (CW)");
  std::vector<std::string> calls = MasterCalls();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& call = calls[(i++ * 7919) % calls.size()];
    benchmark::DoNotOptimize(session.IsDupe(call, "15", "CW", "12:00"));
  }
}
BENCHMARK(BM_IsDupe100k)->Unit(benchmark::kNanosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace mirva
