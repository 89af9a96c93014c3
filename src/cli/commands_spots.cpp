// spots: the spots of DX cluster nodes, each weighed against the contest and the log.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "cli.h"
#include "cluster_feed.h"
#include "reference/band_plan.h"
#include "reference/usual_bands.h"
#include "session/session.h"
#include "spots/spot.h"
#include "stop_signals.h"
#include "system_clock.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

/// The events of every feed, handed from their threads to the command's.
class EventQueue {
 public:
  void Push(ClusterEvent event) {
    {
      std::lock_guard lock(mutex_);
      events_.push_back(std::move(event));
    }
    ready_.notify_one();
  }

  /// The events that arrived, after waiting up to `wait` for one.
  std::deque<ClusterEvent> Take(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, wait, [this] { return !events_.empty(); });
    return std::exchange(events_, {});
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<ClusterEvent> events_;
};

/// The --seconds value: whole seconds from 1 to a day.
std::chrono::seconds Seconds(const std::string& text) {
  if (text.empty() || text.size() > 5 ||
      text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) < 1 ||
      std::stoi(text) > 86400)
    throw UsageError("--seconds takes whole seconds from 1 to 86400, not '" + Cp1251ToUtf8(text) +
                     "'");
  return std::chrono::seconds(std::stoi(text));
}

void PrintSpot(const Session& session, const BandPlan& plan, const Spot& spot) {
  SpotWorth worth = WeighSpot(session, plan, spot, SystemClock().Now().time);
  PrintLine(spot.khz + "\t" + spot.call + "\t" + spot.spotter + "\t" +
            std::string(SpotValueWord(worth.value)) + "\t" + worth.mults);
}

}  // namespace

int RunSpots(CliContext& cli) {
  std::vector<std::string> addresses = cli.TakeRepeatedOption("--cluster");
  std::optional<std::string> call = cli.TakeOption("--call");
  std::optional<std::string> seconds = cli.TakeOption("--seconds");
  bool console = cli.TakeFlag("--console");
  cli.RequireNoMoreArgs("spots");
  if (addresses.empty() || !call || call->empty())
    throw UsageError("spots takes --cluster HOST:PORT and --call CALL");
  std::vector<ClusterEndpoint> endpoints;
  for (const std::string& address : addresses) {
    std::optional<ClusterEndpoint> endpoint = ParseClusterAddress(address, *call);
    if (!endpoint)
      throw UsageError("--cluster takes HOST:PORT with a port from 1 to 65535, not '" +
                       Cp1251ToUtf8(address) + "'");
    endpoints.push_back(std::move(*endpoint));
  }
  auto until = std::chrono::steady_clock::time_point::max();
  if (seconds)
    until = std::chrono::steady_clock::now() + Seconds(*seconds);

  Session& session = cli.OpenSession();
  BandPlan plan = WithUsualBands(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName)));
  StopSignals stop;
  EventQueue queue;
  std::vector<std::unique_ptr<ClusterFeed>> feeds;
  for (const ClusterEndpoint& endpoint : endpoints)
    feeds.push_back(std::make_unique<ClusterFeed>(
        endpoint, ClusterFeed::Options{.reconnect = false},
        [&queue](ClusterEvent event) { queue.Push(std::move(event)); }));

  std::size_t ended = 0;
  bool failed = false;
  while (ended < feeds.size() && !stop.Requested() && std::chrono::steady_clock::now() < until) {
    for (ClusterEvent& event : queue.Take(std::chrono::milliseconds(100))) {
      switch (event.kind) {
        case ClusterEvent::Kind::kConnected:
          break;
        case ClusterEvent::Kind::kLines:
          for (const ClusterLine& line : event.lines) {
            if (line.is_spot)
              PrintSpot(session, plan, line.spot);
            else if (console)
              std::fprintf(stderr, "%s\n", Cp1251ToUtf8(line.text).c_str());
          }
          std::fflush(stdout);
          break;
        case ClusterEvent::Kind::kFailed:
          std::fprintf(stderr, "mirva-cli: %s\n", Cp1251ToUtf8(event.text).c_str());
          failed = true;
          ++ended;
          break;
        case ClusterEvent::Kind::kClosed:
          ++ended;
          break;
      }
    }
  }
  return failed ? 1 : 0;
}

}  // namespace mirva
