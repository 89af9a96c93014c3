// The reports of a 100,000-QSO log: each built and turned into the bytes a save writes.
#include <benchmark/benchmark.h>

#include "logged_session.h"
#include "reports/adif.h"
#include "reports/cabrillo.h"
#include "reports/cabrillo_check.h"
#include "reports/summary.h"

namespace mirva {
namespace {

Logged& ReportLog() {
  static Logged logged("reports");
  return logged;
}

void BM_CabrilloLog100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  Session& session = ReportLog().session;
  CabrilloHeader header;
  header.Call = "DL1ABC";
  for (auto _ : state)
    benchmark::DoNotOptimize(ReportFileBytes(BuildCabrilloLog(session, header)));
}
BENCHMARK(BM_CabrilloLog100k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_CabrilloCheck100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  Session& session = ReportLog().session;
  CabrilloHeader header;
  header.Call = "DL1ABC";
  for (auto _ : state)
    benchmark::DoNotOptimize(CheckCabrilloLog(session, header, CabrilloVersion::k2));
}
BENCHMARK(BM_CabrilloCheck100k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_AllReport100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  Session& session = ReportLog().session;
  for (auto _ : state)
    benchmark::DoNotOptimize(ReportFileBytes(BuildAllReport(session, {})));
}
BENCHMARK(BM_AllReport100k)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

void BM_SummarySheet100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  Session& session = ReportLog().session;
  for (auto _ : state)
    benchmark::DoNotOptimize(ReportFileBytes(BuildSummarySheet(session, {}, 46000)));
}
BENCHMARK(BM_SummarySheet100k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_AdifText100k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  Session& session = ReportLog().session;
  for (auto _ : state)
    benchmark::DoNotOptimize(AdifText(session.log().QSOLog()));
}
BENCHMARK(BM_AdifText100k)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
}  // namespace mirva
