// Call history files: reading a 50,000-line file, one look-up, and the whole proposal of a
// keystroke in the callsign field with the history loaded.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "history/call_history.h"
#include "logged_session.h"

namespace mirva {
namespace {

constexpr int kLines = 50000;

/// A callsign per line, a different one each: K, W, DL, JA and UA calls with names, zones,
/// states and notes as club lists hold them.
std::string MakeHistory(int lines) {
  const char* prefixes[] = {"K", "W", "DL", "JA", "UA"};
  std::string text = "!!Order!!,Call,Name,Loc1,State,CK,Exch1,CqZone,ITUZone,UserText\r\n";
  for (int i = 0; i < lines; ++i) {
    std::string suffix;
    for (int n = i; suffix.size() < 3; n /= 26)
      suffix += static_cast<char>('A' + n % 26);
    std::string call = prefixes[i % 5] + std::to_string(i / 17576 % 10) + suffix;
    text += call + ",Name" + std::to_string(i) + ",FN42,MA,99," + std::to_string(i % 900) + "," +
            std::to_string(i % 40 + 1) + "," + std::to_string(i % 75 + 1) + ",\"note, " +
            std::to_string(i) + "\"\r\n";
  }
  return text;
}

const std::string& History() {
  static const std::string text = MakeHistory(kLines);
  return text;
}

void BM_LoadCallHistory(benchmark::State& state) {
  for (auto _ : state) {
    CallHistory history;
    HistoryFileReport report = history.Add("bench.txt", History());
    if (report.calls != static_cast<std::size_t>(kLines))
      state.SkipWithError("the generated file did not give a call a line");
    benchmark::DoNotOptimize(history);
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_LoadCallHistory)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_LookUpCallHistory(benchmark::State& state) {
  CallHistory history;
  history.Add("bench.txt", History());
  const std::vector<std::string> calls = {"K0AAA", "W0BAA", "DL0CAA", "JA0DAA", "UA9ZZZ"};
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(history.Value(calls[next], "CqZone"));
    benchmark::DoNotOptimize(history.Value(calls[next], "Name"));
    next = (next + 1) % calls.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookUpCallHistory)->Unit(benchmark::kNanosecond)->Repetitions(3);

// A keystroke of the callsign field on a 100,000-QSO CQ WW log with the history loaded: the
// country, the proposal, the worked calls, the dupe check and the multipliers.
void BM_EntryKeystrokeWithHistory(benchmark::State& state) {
  if (!HaveData(state))
    return;
  static Logged logged("history-keystroke");
  static CallHistory history;
  if (history.size() == 0)
    history.Add("bench.txt", History());
  logged.session.SetCallHistory(&history);
  const std::vector<std::string> calls = {"K0AAA", "W0BAA", "DL0CAA", "JA0DAA", "UA0EAA"};
  std::size_t next = 0;
  for (auto _ : state) {
    logged.entry.NumberRcvd.clear();
    logged.entry.Call = calls[next];
    logged.entry.CallChanged();
    benchmark::DoNotOptimize(logged.session.PredictReceivedExchange(calls[next], {}));
    next = (next + 1) % calls.size();
  }
  logged.session.SetCallHistory(nullptr);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EntryKeystrokeWithHistory)->Unit(benchmark::kMicrosecond)->Repetitions(3);

}  // namespace
}  // namespace mirva
