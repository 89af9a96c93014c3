#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_data.h"
#include "group/group_sync.h"
#include "posix_file_system.h"
#include "session/notifier.h"
#include "session/session.h"

namespace mirva {
namespace {

constexpr std::size_t kGroupQsos = 50000;

/// The group's stream in memory: a broker that never keeps the station waiting, so that the
/// figures are the station's own work.
class StreamInMemory : public GroupTransport {
 public:
  uint64_t Publish(const std::string&, const std::string& bytes) override {
    stream.push_back({stream.size() + 1, bytes});
    return stream.size();
  }
  std::vector<GroupMessage> Fetch(uint64_t after, std::size_t max) override {
    std::vector<GroupMessage> found;
    for (uint64_t s = after; s < stream.size() && found.size() < max; ++s)
      found.push_back(stream[s]);
    return found;
  }
  uint64_t LastSequence() override { return stream.size(); }

  std::vector<GroupMessage> stream;
};

/// A stream of 50,000 new QSOs of another station.
StreamInMemory OtherStation() {
  StreamInMemory other;
  for (std::size_t i = 0; i < kGroupQsos; ++i) {
    GroupChange change;
    change.station = "far";
    change.number = static_cast<uint32_t>(i + 1);
    change.revision = 1;
    change.editor = "far";
    TQSOData& q = change.record;
    q.QSODate = 46000 + static_cast<double>(i / 5000);
    q.QSOTime = "12:34";
    q.Call = "UA" + std::to_string(i % 10) + "ABC" + std::to_string(i % 997);
    q.Band = "20";
    q.Mode = "CW";
    q.NumberSent = std::to_string(i + 1);
    q.NumberRcvd = "16";
    other.Publish(MessageIdOf(change), EncodeChange(change));
  }
  return other;
}

// A station with an empty log takes the whole group's log: the exchange a restarted station
// with a lost log makes.
void BM_GroupCatchUp50k(benchmark::State& state) {
  StreamInMemory other = OtherStation();
  PosixFileSystem fs;
  SilentNotifier notifier;
  for (auto _ : state) {
    state.PauseTiming();
    std::string dir = BenchFolder("group-catch-up");
    Session session(fs, notifier, dir);
    session.Start();
    state.ResumeTiming();
    GroupSync sync(session, fs, dir, "near", other);
    if (sync.Exchange().applied != kGroupQsos)
      state.SkipWithError("not every QSO was applied");
  }
}
BENCHMARK(BM_GroupCatchUp50k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// An exchange with nothing new on either side, on a log of 50,000 group QSOs: what a station
// that keeps exchanging pays each time.
void BM_GroupQuietExchange50k(benchmark::State& state) {
  StreamInMemory other = OtherStation();
  PosixFileSystem fs;
  SilentNotifier notifier;
  std::string dir = BenchFolder("group-quiet");
  Session session(fs, notifier, dir);
  session.Start();
  GroupSync sync(session, fs, dir, "near", other);
  sync.Exchange();
  for (auto _ : state) {
    GroupSyncSummary summary = sync.Exchange();
    benchmark::DoNotOptimize(summary.applied);
  }
}
BENCHMARK(BM_GroupQuietExchange50k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirva
