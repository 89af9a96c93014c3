// The search of the "Check partial" window over the real master call file, as installed by
// hamradio-files: what one keystroke in the callsign field costs.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_data.h"
#include "logged_session.h"
#include "reference/call_search.h"
#include "reference/master_calls.h"
#include "session/check_partial.h"

namespace mirva {
namespace {

// Texts as they grow under the operator's fingers: two characters find thousands of calls,
// six find a handful and many near calls.
const std::vector<std::string> kTyped[] = {
    {"K1", "DL", "UA", "9A", "W3", "JA"},
    {"DL1AB", "K1AB", "OH2B", "UA3A", "W1AW", "G4A"},
};

std::optional<MasterCallList> RealList(benchmark::State& state) {
  std::optional<std::string> text = ReadFile(kCallFile);
  if (!text) {
    state.SkipWithError("hamradio-files not installed: no master call file to search");
    return std::nullopt;
  }
  return ParseMasterCalls(*text);
}

void BM_SearchMasterCalls(benchmark::State& state) {
  std::optional<MasterCallList> list = RealList(state);
  if (!list)
    return;
  const std::vector<std::string>& typed = kTyped[state.range(0)];
  std::size_t next = 0;
  for (auto _ : state) {
    const std::string& text = typed[next];
    benchmark::DoNotOptimize(FindPartialCalls(*list, text, kMaxPartialShown));
    benchmark::DoNotOptimize(FindNearCalls(*list, text, kMaxNearShown));
    if (++next == typed.size())
      next = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SearchMasterCalls)
    ->ArgName("long_text")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5);

// The whole keystroke: both searches, and every shown call marked against a 100,000-QSO log
// of the same calls, where most of them are worked.
void BM_CheckPartialOnLog(benchmark::State& state) {
  std::optional<MasterCallList> list = RealList(state);
  if (!list || !HaveData(state))
    return;
  static Logged logged("check-partial");
  const std::vector<std::string>& typed = kTyped[state.range(0)];
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CheckPartial(logged.session, *list, typed[next], "20", "CW", "12:30"));
    if (++next == typed.size())
      next = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckPartialOnLog)
    ->ArgName("long_text")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5);

void BM_LoadMasterCalls(benchmark::State& state) {
  std::optional<std::string> text = ReadFile(kCallFile);
  if (!text) {
    state.SkipWithError("hamradio-files not installed: no master call file to load");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(ParseMasterCalls(*text).size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}
BENCHMARK(BM_LoadMasterCalls)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
}  // namespace mirva
