// wsjtx: logs the QSOs that digital-mode programs announce by UDP, as they come.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

#include "cli.h"
#include "log/date_value.h"
#include "reference/band_plan.h"
#include "reference/usual_bands.h"
#include "session/session.h"
#include "stop_signals.h"
#include "text/cp1251.h"
#include "wsjtx/wsjtx_logger.h"
#include "wsjtx_listener.h"

namespace mirva {

namespace {

/// The datagrams received, handed from the listener's thread to the command's.
class DatagramQueue {
 public:
  void Push(std::string datagram) {
    {
      std::lock_guard lock(mutex_);
      datagrams_.push_back(std::move(datagram));
    }
    ready_.notify_one();
  }

  /// What arrived, after waiting up to `wait` for one.
  std::deque<std::string> Take(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, wait, [this] { return !datagrams_.empty(); });
    return std::exchange(datagrams_, {});
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::string> datagrams_;
};

std::int64_t SteadySeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void Complain(const std::string& text) {
  std::fprintf(stderr, "mirva-cli: %s\n", Cp1251ToUtf8(text).c_str());
}

}  // namespace

int RunWsjtx(CliContext& cli) {
  std::string listen = cli.TakeOption("--listen").value_or(kWsjtxDefaultAddress);
  std::optional<std::string> seconds = cli.TakeOption("--seconds");
  cli.RequireNoMoreArgs("wsjtx");
  std::optional<UdpListenAddress> address = ParseListenAddress(listen);
  if (!address)
    throw UsageError("--listen takes an IPv4 ADDRESS:PORT with a port from 1 to 65535, not '" +
                     Cp1251ToUtf8(listen) + "'");
  auto until = std::chrono::steady_clock::time_point::max();
  if (seconds) {
    if (seconds->empty() || seconds->size() > 5 ||
        seconds->find_first_not_of("0123456789") != std::string::npos || std::stoi(*seconds) < 1 ||
        std::stoi(*seconds) > 86400)
      throw UsageError("--seconds takes whole seconds from 1 to 86400, not '" +
                       Cp1251ToUtf8(*seconds) + "'");
    until = std::chrono::steady_clock::now() + std::chrono::seconds(std::stoi(*seconds));
  }

  Session& session = cli.OpenWriterContestSession(Needs::kScoring);
  WsjtxLogger logger(session,
                     WithUsualBands(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName))));
  StopSignals stop;
  DatagramQueue queue;
  WsjtxListener listener(*address,
                         [&queue](std::string datagram) { queue.Push(std::move(datagram)); });
  std::fprintf(stderr, "mirva-cli: listening on %s:%d\n", address->address.c_str(),
               listener.Port());

  std::size_t repeated = 0;
  while (!stop.Requested() && std::chrono::steady_clock::now() < until) {
    for (const std::string& datagram : queue.Take(std::chrono::milliseconds(100))) {
      WsjtxOutcome outcome = logger.Take(datagram, SteadySeconds());
      switch (outcome.kind) {
        case WsjtxOutcome::Kind::kLogged: {
          const TQSOData& q = session.log().QSOLog()[outcome.index];
          PrintLine(
              Join({std::to_string(outcome.index + 1), FormatIsoDate(q.QSODate) + " " + q.QSOTime,
                    q.Call, q.Band, q.Mode, q.NumberRcvd, std::to_string(q.Points)},
                   "\t"));
          std::fflush(stdout);
          if (!outcome.text.empty())
            Complain(q.Call + ": " + outcome.text);
          break;
        }
        case WsjtxOutcome::Kind::kRepeated:
          ++repeated;
          break;
        case WsjtxOutcome::Kind::kRefused:
          Complain("not logged: " + outcome.text);
          break;
        case WsjtxOutcome::Kind::kMalformed:
          Complain("skipped a datagram: " + outcome.text);
          break;
        case WsjtxOutcome::Kind::kHeartbeat:
        case WsjtxOutcome::Kind::kIgnored:
          break;
      }
    }
  }
  std::fprintf(stderr,
               "mirva-cli: %zu logged, %zu announced again, %zu refused, %zu malformed "
               "datagrams skipped\n",
               logger.Logged(), repeated, logger.Refused(), logger.Malformed());
  return 0;
}

}  // namespace mirva
