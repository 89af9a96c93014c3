// The entry window's keys and start-up on a 100,000-QSO log, with every window open, timed
// from the key to the windows drawn anew.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "../tests/support/dummy_radio.h"
#include "radio/radio_link.h"
#include "radio/radio_settings.h"
#include "ui_entry_program.h"

namespace mirva {
namespace {

void BM_UiPartialCallKey(benchmark::State& state) {
  TypeCalls(state, true);
}
BENCHMARK(BM_UiPartialCallKey)->Apply(OneEventEach)->Repetitions(300);

void BM_UiFullCallKey(benchmark::State& state) {
  TypeCalls(state, false);
}
BENCHMARK(BM_UiFullCallKey)->Apply(OneEventEach)->Repetitions(300);

void BM_UiSaveKey(benchmark::State& state) {
  if (RunningProgram* running = Running(state))
    TimeSaveKeys(state, *running);
}
BENCHMARK(BM_UiSaveKey)->Apply(OneEventEach)->Repetitions(100);

void BM_UiStartUp(benchmark::State& state) {
  if (!HaveData(state))
    return;
  const std::string& dir = WorkingDirectory();
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    std::unique_ptr<RunningProgram> running = StartProgram(dir);
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}
BENCHMARK(BM_UiStartUp)->Apply(OneEventEach)->Repetitions(5);

/// The shared program follows Hamlib's dummy radio from here on; false, with the benchmark
/// skipped, when rigctld is missing or does not start.
bool RadioConnected(benchmark::State& state) {
  static std::unique_ptr<DummyRadio> radio;
  if (radio)
    return true;
  RunningProgram* running = Running(state);
  if (!running)
    return false;
  if (!DummyRadio::Available()) {
    state.SkipWithError("rigctld (libhamlib-utils) is not installed");
    return false;
  }
  radio = std::make_unique<DummyRadio>();
  if (!radio->Start() || !radio->Tune(14025000, "CW")) {
    radio.reset();
    state.SkipWithError("the dummy radio did not start");
    return false;
  }
  StoreRadioSettings({true, kRigctldModel, radio->Address().toStdString(), 0});
  running->program->radio().Restart();
  return true;
}

void BM_UiPartialCallKeyRadio(benchmark::State& state) {
  if (RadioConnected(state))
    TypeCalls(state, true);
}
BENCHMARK(BM_UiPartialCallKeyRadio)->Apply(OneEventEach)->Repetitions(300);

void BM_UiFullCallKeyRadio(benchmark::State& state) {
  if (RadioConnected(state))
    TypeCalls(state, false);
}
BENCHMARK(BM_UiFullCallKeyRadio)->Apply(OneEventEach)->Repetitions(300);

}  // namespace
}  // namespace mirva

int main(int argc, char** argv) {
  // Offscreen unless a platform is asked for, and with settings of its own, so that the
  // operator's stored windows stay.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  mirva::Shared().reset();
  benchmark::Shutdown();
  return 0;
}
