#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

#include "cli.h"
#include "group_serial_refill.h"
#include "log/log_store.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "workspace/workspace.h"
#ifdef MIRVA_HAVE_NATS
#include "group/group_change.h"
#include "group/group_serials.h"
#include "group/group_sync.h"
#include "group/serial_refill.h"
#include "nats_serial_counter.h"
#include "nats_transport.h"
#include "stop_signals.h"
#endif

namespace mirva {

#ifdef MIRVA_HAVE_NATS
namespace {

/// How often --follow looks at the log, how often it asks the broker for changes that no
/// copy from the broker announced, and how long it waits for the log's writer lock.
constexpr std::chrono::milliseconds kFollowPeriod{25};
constexpr std::chrono::seconds kFollowAskPeriod{2};
constexpr std::chrono::seconds kFollowLockWait{5};

/// A file's path as one that names it from any folder, in Windows-1251 as settings keep it.
std::string AbsolutePath(const std::string& typed) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(typed, error);
  return Utf8ToCp1251(error ? typed : absolute.string());
}

/// The stored group settings with the options given over them; a setting neither gives is a
/// UsageError.
GroupSettings ChosenSettings(GroupSettings stored, const std::optional<std::string>& server,
                             const std::optional<std::string>& group,
                             const std::optional<std::string>& station,
                             const std::optional<std::string>& token_file,
                             const std::optional<std::string>& ca_file,
                             const std::optional<std::string>& replicas,
                             const std::optional<std::string>& per_band) {
  if (server)
    stored.server = *server;
  if (group)
    stored.group = *group;
  if (station)
    stored.station = *station;
  if (token_file)
    stored.secret_file = AbsolutePath(*token_file);
  if (ca_file)
    stored.ca_file = ca_file->empty() ? "" : AbsolutePath(*ca_file);
  if (replicas) {
    int count = 0;
    auto [end, error] =
        std::from_chars(replicas->data(), replicas->data() + replicas->size(), count);
    if (error != std::errc() || end != replicas->data() + replicas->size() || count < 1 ||
        count > kMaxGroupReplicas)
      throw UsageError("--replicas takes 1 to " + std::to_string(kMaxGroupReplicas) + ", not '" +
                       *replicas + "'");
    stored.replicas = count;
  }
  if (per_band) {
    if (*per_band != "yes" && *per_band != "no")
      throw UsageError("--serials-per-band takes yes or no, not '" + Cp1251ToUtf8(*per_band) + "'");
    stored.serials_per_band = *per_band == "yes";
  }
  const std::pair<const std::string*, const char*> required[] = {
      {&stored.server, "--server URL"},
      {&stored.group, "--group NAME"},
      {&stored.station, "--station NAME"},
      {&stored.secret_file, "--token-file FILE"}};
  for (const auto& [value, option] : required) {
    if (value->empty())
      throw UsageError(std::string("group sync needs ") + option + ": none is kept in " +
                       kWorkspaceFileName);
  }
  if (!IsGroupName(stored.group))
    throw UsageError("--group takes 1 to 32 letters, digits, '-' or '_', not '" +
                     Cp1251ToUtf8(stored.group) + "'");
  if (!ValidStationName(stored.station))
    throw UsageError(
        "--station takes 1 to 32 letters, digits, '-' or '_', the first a letter "
        "or a digit, not '" +
        Cp1251ToUtf8(stored.station) + "'");
  return stored;
}

/// Tells what an exchange did that the operator must know: messages left out, and versions of
/// a QSO that lost to another made while the stations were apart.
void Tell(const GroupSyncSummary& summary, bool quiet_when_idle) {
  bool idle = summary.sent == 0 && summary.received == 0;
  if (!(quiet_when_idle && idle))
    PrintLine("Sent: " + std::to_string(summary.sent) + ", received: " +
              std::to_string(summary.received) + ", applied: " + std::to_string(summary.applied) +
              ", skipped: " + std::to_string(summary.skipped));
  if (summary.republished)
    PrintLine("The broker had lost its store: this station's QSOs were sent again.");
  for (const std::string& reason : summary.skip_reasons)
    PrintLine("Skipped: " + reason);
  for (const GroupConflict& c : summary.conflicts)
    PrintLine("Conflict: QSO " + c.qso + " revision " + std::to_string(c.revision) +
              ": the version of " + c.loser + " lost to that of " + c.winner + ": " + c.lost);
}

/// What tells that the log changed: its size and the time it was last written.
struct LogStamp {
  std::uintmax_t size = 0;
  std::filesystem::file_time_type written;
  bool operator==(const LogStamp&) const = default;
};

LogStamp StampOf(const std::string& dir) {
  std::filesystem::path log = std::filesystem::path(dir) / kLogFileName;
  std::error_code error;
  LogStamp stamp;
  stamp.size = std::filesystem::file_size(log, error);
  stamp.written = std::filesystem::last_write_time(log, error);
  return stamp;
}

/// What an exchange did, where it left the group's stream and the log as it left it.
struct Exchanged {
  GroupSyncSummary summary;
  uint64_t seen = 0;
  LogStamp log;
};

/// One exchange under the log's writer lock, which is let go after it.
Exchanged ExchangeOnce(CliContext& cli, const GroupSettings& group, GroupTransport& transport,
                       SerialCounter& counter) {
  Session& session = cli.OpenWriterSession();
  GroupSync sync(session, cli.fs(), cli.dir, group.station, transport);
  Exchanged done;
  done.summary = sync.Exchange();
  if (sync.Pending() > 0)
    throw GroupError(std::to_string(sync.Pending()) +
                     " changes of this station still wait for the broker");
  RefillFromGroup(session, cli.fs(), group, sync.Ids(), counter, done.summary.republished);
  done.seen = sync.LastSeen();
  done.log = StampOf(cli.dir);
  cli.Close();
  return done;
}

/// Exchanges whenever the log or the group's stream changed, until a stop signal. The
/// writer lock is held only while an exchange runs, so that other writers get their turn.
/// The broker's copy of each stored change wakes it; the stream itself is asked only now and
/// then, for a copy lost while the link was down.
int Follow(CliContext& cli, const GroupSettings& group, NatsTransport& transport,
           SerialCounter& counter, Exchanged last) {
  StopSignals stop;
  cli.wait = kFollowLockWait;
  // Shared with the client's thread, which may still call once this returns.
  auto rung = std::make_shared<std::atomic<bool>>(false);
  bool listening = true;
  try {
    transport.Listen([rung](std::string_view kind, std::string_view) {
      if (kind == "changes")
        *rung = true;
    });
  } catch (const GroupError&) {
    listening = false;  // the stream is asked every round instead
  }
  auto ask_at = std::chrono::steady_clock::now() + kFollowAskPeriod;
  bool failed = false;
  std::string last_failure;
  while (!stop.Requested()) {
    try {
      auto now = std::chrono::steady_clock::now();
      bool ask = !listening || failed || rung->exchange(false) || now >= ask_at;
      if (ask)
        ask_at = now + kFollowAskPeriod;
      if (failed || last.log != StampOf(cli.dir) ||
          (ask && transport.LastSequence() != last.seen)) {
        last = ExchangeOnce(cli, group, transport, counter);
        Tell(last.summary, /*quiet_when_idle=*/true);
        std::fflush(stdout);
      }
      if (failed)
        std::fprintf(stderr, "mirva-cli: the group's broker answers again\n");
      failed = false;
      last_failure.clear();
    } catch (const std::exception& e) {
      cli.Close();
      failed = true;
      // A failure is told once, not every round while it lasts.
      if (e.what() != last_failure)
        std::fprintf(stderr, "mirva-cli: %s\n", Cp1251ToUtf8(e.what()).c_str());
      last_failure = e.what();
    }
    for (auto until = std::chrono::steady_clock::now() + kFollowPeriod;
         !stop.Requested() && !*rung && std::chrono::steady_clock::now() < until;)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return 0;
}

}  // namespace
#endif

int RunGroup(CliContext& cli) {
  if (cli.args.empty() || cli.args[0] != "sync")
    throw UsageError("group takes the subcommand sync");
  std::optional<std::string> server = cli.TakeOption("--server");
  std::optional<std::string> group = cli.TakeOption("--group");
  std::optional<std::string> station = cli.TakeOption("--station");
  std::optional<std::string> token_file = cli.TakePathOption("--token-file");
  std::optional<std::string> ca_file = cli.TakePathOption("--ca-file");
  std::optional<std::string> replicas = cli.TakeOption("--replicas");
  std::optional<std::string> per_band = cli.TakeOption("--serials-per-band");
  bool follow = cli.TakeFlag("--follow");
  cli.RequireNoMoreArgs("group sync", 1);
  cli.settle_group = false;
#ifdef MIRVA_HAVE_NATS
  cli.OpenWriterSession();
  GroupSettings chosen = ChosenSettings(cli.settings().group, server, group, station, token_file,
                                        ca_file, replicas, per_band);
  NatsSettings broker = BrokerSettings(chosen);
  NatsTransport transport(broker);
  LazyCounter counter(broker);
  // Kept once the broker took them: settings it refused would fail every later sync.
  cli.workspace().SetGroupSettings(chosen);
  Exchanged first = ExchangeOnce(cli, chosen, transport, counter);
  Tell(first.summary, /*quiet_when_idle=*/false);
  if (!follow)
    return 0;
  std::fflush(stdout);
  return Follow(cli, chosen, transport, counter, first);
#else
  (void)follow;
  throw std::runtime_error(
      "group sync is not available: this mirva-cli was built without the "
      "NATS client");
#endif
}

}  // namespace mirva
