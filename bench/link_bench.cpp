#include <benchmark/benchmark.h>

#include <string>

#include "bench_data.h"
#include "link/ini_entry_file.h"
#include "posix_file_system.h"

namespace mirva {
namespace {

/// One key typed into the callsign: the shared entry file rewritten with the new callsign.
void BM_EntryFileCallKey(benchmark::State& state) {
  PosixFileSystem fs;
  IniEntryFile file(fs, BenchFolder("shared"));
  file.Write({"UA1ABC", "599", "001", "599", "16"}, kEntryAll);
  int key = 0;
  for (auto _ : state)
    file.Write({"UA1A" + std::to_string(++key % 100), "599", "001", "599", "16"}, kEntryCall);
}
BENCHMARK(BM_EntryFileCallKey)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirva
