// The rate of a 100,000-QSO log spread over 48 hours and six bands: counting the whole log,
// and the work one save and one edit add, with the figures and the hourly table read after.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "log/qso_log.h"
#include "scoring/rate.h"

namespace mirva {
namespace {

const std::vector<std::string> kBands = {"160", "80", "40", "20", "15", "10"};

TQSOData QsoAt(std::size_t i, std::size_t count) {
  TQSOData q;
  std::size_t minute = i * 48 * 60 / count;
  char time[8];
  std::snprintf(time, sizeof time, "%02zu:%02zu", minute / 60 % 24, minute % 60);
  q.QSODate = 46000 + static_cast<double>(minute / (24 * 60));
  q.QSOTime = time;
  q.Call = "UA" + std::to_string(i % 10) + "ABC";
  q.Band = kBands[i % kBands.size()];
  q.Mode = "CW";
  return q;
}

std::string LogBytes(std::size_t count) {
  std::string bytes;
  bytes.reserve((count + 1000) * kQsoRecordSize);
  for (std::size_t i = 0; i < count; ++i)
    bytes += EncodeQSO(QsoAt(i, count));
  return bytes;
}

void BM_RateRebuild100k(benchmark::State& state) {
  static const std::string bytes = LogBytes(100000);
  QsoRate rate;
  for (auto _ : state)
    rate.Rebuild(QsoLog(bytes), kBands);
  state.counters["hours"] = static_cast<double>(rate.Table().hours.size());
}
BENCHMARK(BM_RateRebuild100k)->Unit(benchmark::kMillisecond);

/// A save at the log's end: counted, then the figures and the table read as the window does.
void BM_RateAppend100k(benchmark::State& state) {
  std::string bytes = LogBytes(100000);
  QsoRate rate;
  rate.Rebuild(QsoLog(bytes), kBands);
  Minute now = *MinuteOf(46002, "00:00");
  std::string last = EncodeQSO(QsoAt(99999, 100000));
  for (auto _ : state) {
    bytes += last;
    rate.Append(QsoLog(bytes), bytes.size() / kQsoRecordSize - 1);
    benchmark::DoNotOptimize(rate.Figures(now));
    benchmark::DoNotOptimize(rate.Table());
  }
}
BENCHMARK(BM_RateAppend100k)->Unit(benchmark::kMicrosecond);

/// An edit that moves a QSO of the middle of the log to another hour.
void BM_RateChange100k(benchmark::State& state) {
  std::string bytes = LogBytes(100000);
  QsoRate rate;
  rate.Rebuild(QsoLog(bytes), kBands);
  std::string moved[2] = {EncodeQSO(QsoAt(10, 100000)), EncodeQSO(QsoAt(90000, 100000))};
  std::size_t i = 0;
  for (auto _ : state) {
    bytes.replace(50000 * kQsoRecordSize, kQsoRecordSize, moved[i++ % 2]);
    rate.Change(QsoLog(bytes), 50000);
    benchmark::DoNotOptimize(rate.Table());
  }
}
BENCHMARK(BM_RateChange100k)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mirva
