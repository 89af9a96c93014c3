// Country lookups and loads over the real country file, as installed by hamradio-files.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench_data.h"
#include "reference/country_db.h"

namespace mirva {
namespace {

// About 400 calls spread over the call file; every fifth gets "/P" and every fifth another
// country's prefix in front, as portable stations do.
std::vector<std::string> SampleCalls() {
  std::vector<std::string> master = MasterCalls();
  std::vector<std::string> calls;
  std::size_t stride = std::max<std::size_t>(1, master.size() / 400);
  for (std::size_t i = 0; i < master.size(); i += stride) {
    std::string call = master[i];
    if (calls.size() % 5 == 3)
      call += "/P";
    else if (calls.size() % 5 == 4)
      call = "EA8/" + call;
    calls.push_back(std::move(call));
  }
  return calls;
}

void BM_FindCountry(benchmark::State& state) {
  std::optional<std::string> countries = ReadFile(kCountryFile);
  std::vector<std::string> calls = SampleCalls();
  if (!countries || calls.empty()) {
    state.SkipWithError("hamradio-files not installed");
    return;
  }
  CountryDatabase db;
  db.Load(*countries);
  bool allow_wae = state.range(0) != 0;
  TCountry rec;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(db.FindCountry(calls[next], rec, allow_wae));
    if (++next == calls.size())
      next = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindCountry)->ArgName("allow_wae")->Arg(1)->Arg(0)->Repetitions(5);

void BM_LoadCountryFile(benchmark::State& state) {
  std::optional<std::string> countries = ReadFile(kCountryFile);
  if (!countries) {
    state.SkipWithError("hamradio-files not installed");
    return;
  }
  CountryDatabase db;
  for (auto _ : state) {
    db.Load(*countries);
    benchmark::DoNotOptimize(db.PrefixList().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * countries->size()));
}
BENCHMARK(BM_LoadCountryFile)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
}  // namespace mirva
