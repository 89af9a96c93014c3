// The program as one station of a group on a real nats-server on loopback, with a
// 20,000-QSO log: another station's QSO from the broker to the program's log, and the save
// and callsign keys while the group is connected.
#ifdef MIRVA_HAVE_NATS
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>
#include <chrono>
#include <memory>

#include "../tests/support/nats_broker.h"
#include "bench_data.h"
#include "group/group_change.h"
#include "group_session.h"
#include "logged_session.h"
#include "nats_transport.h"
#include "program.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_bench_program.h"
#include "windows/entry_window.h"
#include "workspace/workspace_settings.h"

namespace mirva {
namespace {

using Steady = std::chrono::steady_clock;
constexpr char kToken[] = "bench-group-token";

double Since(Steady::time_point start) {
  return std::chrono::duration<double>(Steady::now() - start).count();
}

/// The broker, the program joined to group BENCH as RUN with every QSO sent, and station
/// OTHER's link to the same broker.
struct GroupProgram {
  std::string dir = ContestFolder("ui-group", 20000);
  /// A store of its own, in the folder: a stream left from an earlier run would drop
  /// station OTHER's changes as repeats.
  NatsBroker broker{dir + "/store", kToken};
  BenchServices services;
  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<Program> program;
  std::unique_ptr<NatsTransport> other;
  uint32_t other_number = 0;

  explicit GroupProgram(benchmark::State& state) {
    if (!broker.Start()) {
      state.SkipWithError("nats-server did not start");
      return;
    }
    QDir shipped(QStringLiteral(MIRVA_SHIPPED_DATA));
    for (const QString& name : shipped.entryList(QDir::Files))
      QFile::copy(shipped.filePath(name), QString::fromStdString(dir + "/") + name);
    QFile secret(QString::fromStdString(dir + "/secret"));
    if (secret.open(QIODevice::WriteOnly))
      secret.write(kToken);
    secret.close();
    WorkspaceSettings kept;
    kept.contest = "CQ WW DX Contest (CW)";
    kept.group = {broker.Url(), "BENCH", "RUN", dir + "/secret", "", 1, false, "DL1ABC"};
    QFile ini(QString::fromStdString(dir + "/" + kWorkspaceFileName));
    if (ini.open(QIODevice::WriteOnly))
      ini.write(QByteArray::fromStdString(WorkspaceSettingsText(kept)));
    ini.close();
    auto settings = OpenStoredSettings();
    settings->clear();
    for (const char* button : {"sbNew", "sbQSOList", "sbCalls", "sbGroup"})
      settings->setValue(
          QStringLiteral("%1/%2.Down").arg(QLatin1String(kMainSection), QLatin1String(button)),
          true);
    settings.reset();
    workspace = std::make_unique<Workspace>(services.fs, services.notifier, dir);
    program = std::make_unique<Program>(services.For(*workspace));
    program->Start();
    // Joining sends the whole log first.
    auto until = Steady::now() + std::chrono::minutes(5);
    while (Steady::now() < until &&
           !(program->group().Connected() && program->group().Pending() == 0 &&
             workspace->session().log().QSOLog().size() > 0))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (program->group().Pending() > 0)
      state.SkipWithError("the log was not sent to the broker");
    NatsSettings nats;
    nats.url = broker.Url();
    nats.group = "BENCH";
    nats.secret.token = kToken;
    other = std::make_unique<NatsTransport>(nats);
    program->entry().activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(&program->entry());
  }

  QLineEdit* Edit(const char* name) const {
    return program->entry().findChild<QLineEdit*>(QString::fromLatin1(name));
  }

  /// Station OTHER logs a QSO; the time until the program's log holds it.
  double OtherLogs(const std::string& call) {
    GroupChange change;
    change.station = "OTHER";
    change.number = ++other_number;
    change.revision = 1;
    change.editor = "OTHER";
    change.record.QSODate = 46000;
    change.record.QSOTime = "12:31";
    change.record.Call = call;
    change.record.Band = "40";
    change.record.Mode = "CW";
    change.record.RprtSent = change.record.RprtRcvd = "599";
    change.record.NumberRcvd = "14";
    std::size_t before = workspace->session().log().QSOLog().size();
    auto start = Steady::now();
    other->Publish(MessageIdOf(change), EncodeChange(change));
    while (workspace->session().log().QSOLog().size() == before && Since(start) < 5)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return Since(start);
  }
};

std::unique_ptr<GroupProgram>& Shared() {
  static std::unique_ptr<GroupProgram> running;
  return running;
}

GroupProgram* Running(benchmark::State& state) {
  if (!HaveData(state))
    return nullptr;
  if (NatsBroker::Executable().empty()) {
    state.SkipWithError("nats-server is not installed");
    return nullptr;
  }
  if (!Shared()) {
    Shared() = std::make_unique<GroupProgram>(state);
    // The program and its link end before the application does.
    qAddPostRoutine([] { Shared().reset(); });
  }
  return Shared()->program ? Shared().get() : nullptr;
}

const std::vector<std::string>& Calls() {
  static const std::vector<std::string> calls = MasterCalls();
  return calls;
}

void BM_UiGroupArrival(benchmark::State& state) {
  GroupProgram* running = Running(state);
  if (!running)
    return;
  static std::size_t i = 0;
  for (auto _ : state) {
    // A pause between QSOs, as on the air: the link is idle when the next one comes.
    QTest::qWait(30);
    state.SetIterationTime(running->OtherLogs(Calls()[(i++ * 7919) % Calls().size()]));
  }
}
BENCHMARK(BM_UiGroupArrival)->Apply(OneEventEach)->Repetitions(200);

void BM_UiGroupSaveKey(benchmark::State& state) {
  GroupProgram* running = Running(state);
  if (!running)
    return;
  QLineEdit* call = running->Edit("eCall");
  QLineEdit* rcvd = running->Edit("eRcvd");
  static std::size_t i = 0;
  for (auto _ : state) {
    const std::string& next = Calls()[(i++ * 104729) % Calls().size()];
    QTest::keyClick(call, Qt::Key_Pause);
    QTest::keyClicks(call, QString::fromLatin1(next));
    QTest::keyClick(call, Qt::Key_Return);
    QCoreApplication::processEvents();
    auto start = Steady::now();
    QTest::keyClick(rcvd, Qt::Key_Return);
    QCoreApplication::processEvents();
    state.SetIterationTime(Since(start));
  }
}
BENCHMARK(BM_UiGroupSaveKey)->Apply(OneEventEach)->Repetitions(100);

void BM_UiGroupFullCallKey(benchmark::State& state) {
  GroupProgram* running = Running(state);
  if (!running)
    return;
  QLineEdit* call = running->Edit("eCall");
  static std::size_t i = 0;
  for (auto _ : state) {
    const std::string& next = Calls()[(i++ * 7919) % Calls().size()];
    QTest::keyClick(call, Qt::Key_Pause);
    QTest::keyClicks(call, QString::fromLatin1(next.substr(0, next.size() - 1)));
    QCoreApplication::processEvents();
    auto start = Steady::now();
    QTest::keyClick(call, next.back());
    QCoreApplication::processEvents();
    state.SetIterationTime(Since(start));
  }
}
BENCHMARK(BM_UiGroupFullCallKey)->Apply(OneEventEach)->Repetitions(300);

}  // namespace
}  // namespace mirva
#endif
