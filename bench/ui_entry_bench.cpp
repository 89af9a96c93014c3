// The entry window's keys and start-up on a 100,000-QSO log, with every window open, timed
// from the key to the windows drawn anew.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <chrono>
#include <memory>

#include "../tests/support/dummy_radio.h"
#include "bench_data.h"
#include "logged_session.h"
#include "program.h"
#include "radio/radio_link.h"
#include "radio/radio_settings.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_bench_program.h"
#include "windows/entry_window.h"
#include "windows/main_window.h"

namespace mirva {
namespace {

using Steady = std::chrono::steady_clock;

/// The whole program on a working directory with a 100,000-QSO CQ WW CW log, the real country
/// file and the shipped catalogue, its entry, calls and QSO list windows open.
struct RunningProgram {
  BenchServices services;
  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<Program> program;

  explicit RunningProgram(const std::string& dir) {
    auto settings = OpenStoredSettings();
    settings->clear();
    settings->setValue(QStringLiteral("%1/%2").arg(QLatin1String(kContestSection),
                                                   QLatin1String(kContestIndexKey)),
                       0);
    for (const char* button : {"sbNew", "sbQSOList", "sbCalls"})
      settings->setValue(
          QStringLiteral("%1/%2.Down").arg(QLatin1String(kMainSection), QLatin1String(button)),
          true);
    settings.reset();
    workspace = std::make_unique<Workspace>(services.fs, services.notifier, dir);
    program = std::make_unique<Program>(services.For(*workspace));
    program->Start();
    QCoreApplication::processEvents();
  }

  QLineEdit* Edit(const char* name) const {
    return program->entry().findChild<QLineEdit*>(QString::fromLatin1(name));
  }
};

/// The benchmark's working directory, made once.
const std::string& WorkingDirectory() {
  static const std::string dir = [] {
    std::string made = ContestFolder("ui-entry", 100000);
    QDir shipped(QStringLiteral(MIRVA_SHIPPED_DATA));
    for (const QString& name : shipped.entryList(QDir::Files))
      QFile::copy(shipped.filePath(name), QString::fromStdString(made) + QLatin1Char('/') + name);
    return made;
  }();
  return dir;
}

/// The key, then every event it caused, so that each window shows the new state.
double TimedKey(QWidget* widget, Qt::Key key, char text = 0) {
  auto start = Steady::now();
  if (text)
    QTest::keyClick(widget, text);
  else
    QTest::keyClick(widget, key);
  QCoreApplication::processEvents();
  return std::chrono::duration<double>(Steady::now() - start).count();
}

/// The program the key benchmarks share; it ends before the application does.
std::unique_ptr<RunningProgram>& Shared() {
  static std::unique_ptr<RunningProgram> running;
  return running;
}

RunningProgram& Running(benchmark::State& state) {
  std::unique_ptr<RunningProgram>& running = Shared();
  if (!HaveData(state))
    return *running;
  if (!running) {
    running = std::make_unique<RunningProgram>(WorkingDirectory());
    running->program->entry().activateWindow();
    if (!QTest::qWaitForWindowActive(&running->program->entry()))
      state.SkipWithError("the entry window did not become active");
  }
  return *running;
}

/// Callsigns of the log, to type one after another.
const std::vector<std::string>& Calls() {
  static const std::vector<std::string> calls = MasterCalls();
  return calls;
}

/// Types the first character of each call (partial) or all but its last untimed, then times
/// the next key.
void TypeCalls(benchmark::State& state, bool partial) {
  RunningProgram& running = Running(state);
  if (!running.program)
    return;
  QLineEdit* call = running.Edit("eCall");
  static std::size_t i = 0;
  for (auto _ : state) {
    const std::string& next = Calls()[(i++ * 7919) % Calls().size()];
    QTest::keyClick(call, Qt::Key_Pause);
    std::size_t typed = partial ? 1 : next.size() - 1;
    QTest::keyClicks(call, QString::fromLatin1(next.substr(0, typed)));
    QCoreApplication::processEvents();
    state.SetIterationTime(TimedKey(call, Qt::Key_unknown, next[typed]));
  }
}

void BM_UiPartialCallKey(benchmark::State& state) {
  TypeCalls(state, true);
}
BENCHMARK(BM_UiPartialCallKey)->Apply(OneEventEach)->Repetitions(300);

void BM_UiFullCallKey(benchmark::State& state) {
  TypeCalls(state, false);
}
BENCHMARK(BM_UiFullCallKey)->Apply(OneEventEach)->Repetitions(300);

void BM_UiSaveKey(benchmark::State& state) {
  RunningProgram& running = Running(state);
  if (!running.program)
    return;
  QLineEdit* call = running.Edit("eCall");
  QLineEdit* rcvd = running.Edit("eRcvd");
  std::size_t before = running.workspace->session().log().QSOLog().size();
  static std::size_t i = 0;
  for (auto _ : state) {
    const std::string& next = Calls()[(i++ * 104729) % Calls().size()];
    QTest::keyClick(call, Qt::Key_Pause);
    QTest::keyClicks(call, QString::fromLatin1(next));
    QTest::keyClick(call, Qt::Key_Return);
    QCoreApplication::processEvents();
    state.SetIterationTime(TimedKey(rcvd, Qt::Key_Return));
  }
  state.counters["logged"] =
      static_cast<double>(running.workspace->session().log().QSOLog().size() - before);
}
BENCHMARK(BM_UiSaveKey)->Apply(OneEventEach)->Repetitions(100);

void BM_UiStartUp(benchmark::State& state) {
  if (!HaveData(state))
    return;
  const std::string& dir = WorkingDirectory();
  for (auto _ : state) {
    auto start = Steady::now();
    RunningProgram running(dir);
    state.SetIterationTime(std::chrono::duration<double>(Steady::now() - start).count());
  }
}
BENCHMARK(BM_UiStartUp)->Apply(OneEventEach)->Repetitions(5);

/// The shared program follows Hamlib's dummy radio from here on; false, with the benchmark
/// skipped, when rigctld is missing or does not start.
bool RadioConnected(benchmark::State& state) {
  static std::unique_ptr<DummyRadio> radio;
  if (radio)
    return true;
  RunningProgram& running = Running(state);
  if (!running.program)
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
  running.program->radio().Restart();
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
