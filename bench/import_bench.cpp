// The log writes of an import: 100,000 appends, flushed once per batch of 1,000 as the
// import does, against the one flush per QSO of the entry window (BM_AppendQSO).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_data.h"
#include "log/log_store.h"
#include "posix_file_system.h"

namespace mirva {
namespace {

void BM_Append100kInBatches(benchmark::State& state) {
  TQSOData q;
  q.QSODate = 46000;
  q.QSOTime = "12:34";
  q.Call = "DL1ABC";
  q.Band = "20";
  q.Mode = "CW";
  PosixFileSystem fs;
  for (auto _ : state) {
    state.PauseTiming();
    std::string dir = BenchFolder("append-batches");
    LogStore store(fs, dir);
    store.LoadLog();
    state.ResumeTiming();
    for (int batch = 0; batch < 100; ++batch) {
      store.BeginBatch();
      for (int i = 0; i < 1000; ++i)
        store.AppendQSO(q);
      store.EndBatch();
    }
    state.PauseTiming();
    std::filesystem::remove_all(dir);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Append100kInBatches)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace mirva
