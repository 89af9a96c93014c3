// A cluster spot line read and weighed against a CQ WW CW log of 5,000 QSOs: the work each
// spot of a busy node costs.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "logged_session.h"
#include "reference/band_plan.h"
#include "reference/usual_bands.h"
#include "spots/spot.h"

namespace mirva {
namespace {

/// Spot lines of real callsigns over the contest's bands, plain and from skimmers.
std::vector<std::string> SpotLines() {
  const char* frequencies[] = {"14025.0", "7012.5", "21030.1", "3520.0", "28015.0", "1825.0"};
  std::vector<std::string> calls = MasterCalls();
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < 10000 && !calls.empty(); ++i) {
    std::string spotter = i % 2 ? "W3LPL-#" : "DL1ABC";
    lines.push_back("DX de " + spotter + ":   " + frequencies[i % 6] + "  " +
                    calls[(i * 7919) % calls.size()] + "   CW    23 dB  28 WPM  CQ      1830Z");
  }
  return lines;
}

void BM_ParseClusterLine(benchmark::State& state) {
  if (!HaveData(state))
    return;
  static const std::vector<std::string> lines = SpotLines();
  std::size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(ParseClusterLine(lines[i++ % lines.size()]));
}
BENCHMARK(BM_ParseClusterLine)
    ->Unit(benchmark::kNanosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_WeighSpot5k(benchmark::State& state) {
  if (!HaveData(state))
    return;
  static const std::vector<std::string> lines = SpotLines();
  static Logged logged("spots", 5000);
  const BandPlan plan = WithUsualBands(InitialBandPlan());
  std::size_t i = 0;
  std::size_t mults = 0;
  for (auto _ : state) {
    ClusterLine line = ParseClusterLine(lines[i++ % lines.size()]);
    mults += WeighSpot(logged.session, plan, line.spot, "12:30").value == SpotValue::kMult;
  }
  state.counters["mult_share"] =
      benchmark::Counter(static_cast<double>(mults), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WeighSpot5k)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace mirva
