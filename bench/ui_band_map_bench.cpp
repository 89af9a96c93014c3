// The band map holding 2,000 spots of one band while spots arrive at 20 a second: the time
// from a second's batch handed to the window to the window painted anew.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ui_bench_program.h"
#include "windows/band_map_window.h"

namespace mirva {
namespace {

constexpr int kHeld = 2000;
constexpr int kBatch = 20;

/// The n-th of kHeld calls spread over 20 m, each with a worth of its own.
void Heard(int n, std::vector<Spot>& spots, std::vector<SpotWorth>& worths) {
  Spot& spot = spots.emplace_back();
  spot.call = "UA" + std::to_string(n % 10) + "A" + std::to_string(n);
  spot.hz = 14000000 + (n * 7919) % 350000;
  SpotWorth& worth = worths.emplace_back();
  const SpotValue values[] = {SpotValue::kQso, SpotValue::kMult, SpotValue::kDupe, SpotValue::kOut};
  worth.value = values[n % 4];
  worth.band = "20";
  worth.mode = "CW";
}

struct OpenMap {
  BandMapWindow window;

  OpenMap() {
    window.FollowEntry(QStringLiteral("20"), QStringLiteral("CW"));
    std::vector<Spot> spots;
    std::vector<SpotWorth> worths;
    for (int n = 0; n < kHeld; ++n)
      Heard(n, spots, worths);
    window.AddSpots(spots, worths);
    window.ShowRadioFrequency(14025000);
    window.show();
    QCoreApplication::processEvents();
  }
};

void BM_UiBandMapBatch(benchmark::State& state) {
  static std::unique_ptr<OpenMap> open;
  if (!open) {
    open = std::make_unique<OpenMap>();
    qAddPostRoutine([] { open.reset(); });
  }
  static int next = 0;
  for (auto _ : state) {
    // The same calls heard again elsewhere: the map stays at 2,000 spots.
    std::vector<Spot> spots;
    std::vector<SpotWorth> worths;
    for (int i = 0; i < kBatch; ++i)
      Heard((next++ * 101) % kHeld, spots, worths);
    for (Spot& spot : spots)
      spot.hz += 100;
    auto start = std::chrono::steady_clock::now();
    open->window.AddSpots(spots, worths);
    open->window.repaint();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["spots"] = static_cast<double>(open->window.map().Size());
}
BENCHMARK(BM_UiBandMapBatch)
    ->Apply(OneEventEach)
    ->ComputeStatistics("max",
                        [](const std::vector<double>& times) {
                          return *std::max_element(times.begin(), times.end());
                        })
    ->Repetitions(300);

}  // namespace
}  // namespace mirva
