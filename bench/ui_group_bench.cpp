// The program as one station of a group on a real nats-server on loopback, with a
// 20,000-QSO log: another station's QSO from the broker to the program's log, and the save
// and callsign keys while the group is connected.
#ifdef MIRVA_HAVE_NATS
#include <benchmark/benchmark.h>

#include <QFile>
#include <chrono>
#include <memory>

#include "../tests/support/nats_broker.h"
#include "group/group_change.h"
#include "group_session.h"
#include "logged_session.h"
#include "nats_transport.h"
#include "ui_running_program.h"
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
  std::unique_ptr<RunningProgram> running;
  std::unique_ptr<NatsTransport> other;
  uint32_t other_number = 0;

  explicit GroupProgram(benchmark::State& state) {
    if (!broker.Start()) {
      state.SkipWithError("nats-server did not start");
      return;
    }
    CopyShippedData(dir);
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
    StoreOpenWindows({"sbNew", "sbQSOList", "sbCalls", "sbGroup"});
    running = std::make_unique<RunningProgram>(dir);
    GroupSession& group = running->program->group();
    // Joining sends the whole log first.
    auto until = Steady::now() + std::chrono::minutes(5);
    while (Steady::now() < until && !(group.Connected() && group.Pending() == 0 &&
                                      running->workspace->session().log().QSOLog().size() > 0))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (group.Pending() > 0)
      state.SkipWithError("the log was not sent to the broker");
    NatsSettings nats;
    nats.url = broker.Url();
    nats.group = "BENCH";
    nats.secret.token = kToken;
    other = std::make_unique<NatsTransport>(nats);
    [[maybe_unused]] bool active = running->Activate();
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
    Session& session = running->workspace->session();
    std::size_t before = session.log().QSOLog().size();
    auto start = Steady::now();
    other->Publish(MessageIdOf(change), EncodeChange(change));
    while (session.log().QSOLog().size() == before && Since(start) < 5)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return Since(start);
  }
};

std::unique_ptr<GroupProgram>& Shared() {
  static std::unique_ptr<GroupProgram> running;
  return running;
}

/// The program joined to the group; null, with the benchmark skipped, when it cannot run.
RunningProgram* Running(benchmark::State& state) {
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
  return Shared()->running.get();
}

void BM_UiGroupArrival(benchmark::State& state) {
  if (!Running(state))
    return;
  static std::size_t i = 0;
  for (auto _ : state) {
    // A pause between QSOs, as on the air: the link is idle when the next one comes.
    QTest::qWait(30);
    try {
      state.SetIterationTime(Shared()->OtherLogs(Calls()[(i++ * 7919) % Calls().size()]));
    } catch (const GroupError& e) {
      state.SkipWithError(e.what());
      break;
    }
  }
}
BENCHMARK(BM_UiGroupArrival)->Apply(OneEventEach)->Repetitions(200);

void BM_UiGroupSaveKey(benchmark::State& state) {
  if (RunningProgram* running = Running(state))
    TimeSaveKeys(state, *running);
}
BENCHMARK(BM_UiGroupSaveKey)->Apply(OneEventEach)->Repetitions(100);

void BM_UiGroupFullCallKey(benchmark::State& state) {
  if (RunningProgram* running = Running(state))
    TimeCallKeys(state, *running, false);
}
BENCHMARK(BM_UiGroupFullCallKey)->Apply(OneEventEach)->Repetitions(300);

}  // namespace
}  // namespace mirva
#endif
