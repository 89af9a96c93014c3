// The whole program with a cluster node on loopback: how long the window thread is busy in one
// go while spots arrive, and the entry's keys while they do.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "loopback_cluster.h"
#include "spots/cluster_settings.h"
#include "spots/cluster_store.h"
#include "spots/spot_feeds.h"
#include "ui_entry_program.h"
#include "widgets/band_map_view.h"
#include "windows/band_map_window.h"

namespace mirva {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kHeld = 2000;

/// The lines a node sends: skimmers' CW spots of real calls over the 200 kHz from `base_khz`.
/// The first kHeld lines are kHeld stations; later lines hear the same stations again a little
/// higher up, so that the map keeps kHeld spots.
LoopbackCluster::LineOf SpotLines(int base_khz) {
  return [base_khz](int n) {
    int station = n < kHeld ? n : (n * 101) % kHeld;
    const std::string& call = Calls()[(static_cast<std::size_t>(station) * 7919) % Calls().size()];
    int decihertz = base_khz * 10 + (station * 7919) % 2000 + (n / kHeld) % 3;  // in 100 Hz
    char line[160];
    std::snprintf(line, sizeof line, "DX de DL%dZZ-#:   %5d.%d  %-12s CW 12 dB 25 WPM CQ  1230Z",
                  n % 10, decihertz / 10, decihertz % 10, call.c_str());
    return std::string(line);
  };
}

/// Where a band of CQ WW starts, in kHz.
int BandStartKhz(const std::string& band) {
  for (auto [name, khz] : {std::pair{"160", 1800},
                           {"80", 3500},
                           {"40", 7000},
                           {"20", 14000},
                           {"15", 21000},
                           {"10", 28000}})
    if (band == name)
      return khz;
  return 14000;
}

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> times) {
  if (times.empty())
    return 0;
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return times[times.size() / 2];
}

/// Runs the window thread's events until `done` or the deadline; false at the deadline.
template <typename Done>
bool RunUntil(Done done, Clock::duration limit) {
  Clock::time_point deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > deadline)
      return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

/// Counts the spots the program's feeds hand to the window thread.
struct SpotCount {
  std::size_t received = 0;

  void Follow(SpotFeeds& feeds) {
    QObject::connect(&feeds, &SpotFeeds::spotsArrived, &feeds,
                     [this](const std::vector<Spot>& spots) { received += spots.size(); });
  }
};

/// The node the stored cluster settings name from here on.
void StoreNode(const LoopbackCluster& node) {
  StoreClusterSettings({{"127.0.0.1:" + std::to_string(node.Port())}, "DL1ABC", 30});
}

/// Times each batch of the feeds: from the batch timer's event to the return of every slot of
/// its timeout, which takes the queue and hands the spots and lines on.
class BatchTimes : public QObject {
 public:
  explicit BatchTimes(SpotFeeds& feeds) : timer_(feeds.findChild<QTimer*>()) {
    timer_->installEventFilter(this);
    QObject::connect(timer_, &QTimer::timeout, this,
                     [this] { times.push_back(Ms(Clock::now() - start_)); });
  }

  std::vector<double> times;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == timer_ && event->type() == QEvent::Timer)
      start_ = Clock::now();
    return false;
  }

 private:
  QTimer* timer_;
  Clock::time_point start_;
};

/// The gaps between the ticks of a 1 ms timer on the window thread, in wall time and in the
/// thread's CPU time, which tells the thread's own work from the machine's other load.
class TickGaps {
 public:
  TickGaps() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      Clock::time_point now = Clock::now();
      double cpu = ThreadCpuMs();
      gaps.push_back(Ms(now - last_));
      cpu_gaps.push_back(cpu - last_cpu_);
      last_ = now;
      last_cpu_ = cpu;
    });
    last_ = Clock::now();
    last_cpu_ = ThreadCpuMs();
    timer_.start();
  }

  std::vector<double> gaps;
  std::vector<double> cpu_gaps;

 private:
  static double ThreadCpuMs() {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
  }

  QTimer timer_;
  Clock::time_point last_;
  double last_cpu_ = 0;
};

/// Args: lines a second, lines. The program on the 100k log, with the entry and band map
/// windows open on 20 m CW, holds kHeld spots of the node before the lines are timed.
void BM_UiClusterReplay(benchmark::State& state) {
  if (!HaveData(state))
    return;
  const int rate = static_cast<int>(state.range(0));
  const int count = static_cast<int>(state.range(1));
  Calls();
  LoopbackCluster node(kHeld, rate, count, SpotLines(14000));
  StoreCqWwWindows({"sbNew", "sbBandMap"});
  StoreNode(node);
  RunningProgram running(WorkingDirectory());
  running.program->entry().FollowRadio(QStringLiteral("20"), QStringLiteral("CW"));
  SpotCount spots;
  spots.Follow(running.program->spotFeeds());
  if (!RunUntil([&] { return spots.received >= kHeld; }, std::chrono::seconds(30))) {
    state.SkipWithError("the held spots did not arrive");
    return;
  }
  RunUntil([] { return false; }, std::chrono::milliseconds(500));
  BatchTimes batches(running.program->spotFeeds());
  TickGaps ticks;
  for (auto _ : state) {
    node.Go();
    Clock::time_point start = Clock::now();
    RunUntil([&] { return spots.received >= static_cast<std::size_t>(kHeld + count); },
             std::chrono::seconds(count / rate + 20));
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
  }
  state.counters["worst_ms"] = *std::max_element(ticks.gaps.begin(), ticks.gaps.end());
  state.counters["p99_ms"] = Percentile99(ticks.gaps);
  state.counters["median_ms"] = Median(ticks.gaps);
  state.counters["worst_cpu_ms"] = *std::max_element(ticks.cpu_gaps.begin(), ticks.cpu_gaps.end());
  state.counters["batch_worst_ms"] =
      batches.times.empty() ? 0 : *std::max_element(batches.times.begin(), batches.times.end());
  state.counters["batch_p99_ms"] = Percentile99(batches.times);
  state.counters["batch_median_ms"] = Median(batches.times);
  state.counters["spots_received"] = static_cast<double>(spots.received - kHeld);
  state.counters["map_spots"] = static_cast<double>(running.program->bandMap().map().Size());
  state.counters["drawn_spots"] =
      static_cast<double>(running.program->bandMap().view().Labels().size());
}
BENCHMARK(BM_UiClusterReplay)
    ->ArgNames({"rate", "lines"})
    ->Args({20, 600})
    ->Args({500, 10000})
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

/// The spots the shared program received since its node went past the held ones, and when.
struct SharedCluster {
  SpotCount spots;
  Clock::time_point since;
};

SharedCluster& Cluster() {
  static SharedCluster cluster;
  return cluster;
}

/// The shared program reads a loopback node from here on, with the band map open on its
/// kHeld spots of the entry's band and 20 more arriving a second; false, with the benchmark
/// skipped, when not.
bool ClusterConnected(benchmark::State& state) {
  static std::unique_ptr<LoopbackCluster> node;
  if (node)
    return true;
  RunningProgram* running = Running(state);
  if (!running)
    return false;
  Calls();
  // On the entry's band, so that the map draws them, as an operator would look at it.
  const std::string& band = running->program->entry().entry().Band;
  node = std::make_unique<LoopbackCluster>(kHeld, 20, 0, SpotLines(BandStartKhz(band)));
  StoreNode(*node);
  Cluster().spots.Follow(running->program->spotFeeds());
  running->program->spotFeeds().Restart();
  running->program->bandMap().show();
  if (!RunUntil([] { return Cluster().spots.received >= kHeld; }, std::chrono::seconds(30))) {
    state.SkipWithError("the held spots did not arrive");
    return false;
  }
  node->Go();
  Cluster().since = Clock::now();
  if (!running->Activate()) {
    state.SkipWithError("the entry window did not become active");
    return false;
  }
  return true;
}

/// How many spots a second the program received so far, as a counter.
void CountSpots(benchmark::State& state) {
  const SharedCluster& cluster = Cluster();
  state.counters["spots_per_s"] =
      static_cast<double>(cluster.spots.received - kHeld) /
      std::chrono::duration<double>(Clock::now() - cluster.since).count();
}

void BM_UiFullCallKeyCluster(benchmark::State& state) {
  if (!ClusterConnected(state))
    return;
  TypeCalls(state, false);
  CountSpots(state);
}
BENCHMARK(BM_UiFullCallKeyCluster)->Apply(OneEventEach)->Repetitions(300);

void BM_UiSaveKeyCluster(benchmark::State& state) {
  if (!ClusterConnected(state))
    return;
  TimeSaveKeys(state, *Running(state));
  CountSpots(state);
}
BENCHMARK(BM_UiSaveKeyCluster)->Apply(OneEventEach)->Repetitions(100);

}  // namespace
}  // namespace mirva
