// The scoring engine on a 100,000-QSO log of real callsigns: one keystroke's work in the
// callsign field, rebuilding the totals, rescoring the whole log and one save.
#include <benchmark/benchmark.h>

#include "logged_session.h"
#include "scoring/totals.h"

namespace mirva {
namespace {

/// Each iteration types a different callsign cut to `length` characters (0: whole).
void Keystroke(benchmark::State& state, std::size_t length) {
  if (!HaveData(state))
    return;
  static Logged logged("keystroke");
  static const std::vector<std::string> calls = MasterCalls();
  std::size_t i = 0;
  std::size_t worked = 0;
  for (auto _ : state) {
    const std::string& call = calls[(i++ * 7919) % calls.size()];
    logged.entry.Call = length ? call.substr(0, length) : call;
    logged.entry.NumberRcvd.clear();
    logged.entry.CallChanged();
    worked += logged.entry.view.Worked.size();
  }
  state.counters["worked_calls"] =
      benchmark::Counter(static_cast<double>(worked), benchmark::Counter::kAvgIterations);
}

void BM_KeystrokePartial2(benchmark::State& state) {
  Keystroke(state, 2);
}
BENCHMARK(BM_KeystrokePartial2)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_KeystrokeWholeCall(benchmark::State& state) {
  Keystroke(state, 0);
}
BENCHMARK(BM_KeystrokeWholeCall)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_RebuildTotals100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  static Logged logged("rebuild");
  for (auto _ : state)
    logged.session.RebuildTotals();
  state.counters["multipliers"] = static_cast<double>(logged.session.totals().TotalMults);
}
BENCHMARK(BM_RebuildTotals100k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_RescoreLog100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  static Logged logged("rescore");
  for (auto _ : state)
    benchmark::DoNotOptimize(logged.session.RescoreLog());
  state.counters["points"] = static_cast<double>(logged.session.totals().TotalPoints);
}
BENCHMARK(BM_RescoreLog100k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->UseRealTime()
    ->ReportAggregatesOnly();

/// The whole save of the entry window, with the record flushed to disk.
void BM_Save100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  static Logged logged("save");
  static const std::vector<std::string> calls = MasterCalls();
  std::size_t i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    logged.entry.Call = calls[(i++ * 104729) % calls.size()];
    logged.entry.CallChanged();
    logged.entry.CallExited();
    state.ResumeTiming();
    benchmark::DoNotOptimize(logged.entry.Save());
  }
}
BENCHMARK(BM_Save100k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(5)
    ->UseRealTime()
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace mirva
