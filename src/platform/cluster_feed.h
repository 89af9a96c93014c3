#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spots/spot.h"

namespace mirva {

/// A cluster or skimmer node to read spots from, and the call to log in with.
struct ClusterEndpoint {
  std::string host;
  int port = 0;
  std::string login;  ///< the operator's call, sent as the first line

  bool operator==(const ClusterEndpoint&) const = default;
};

/// "HOST:PORT" with a port from 1 to 65535; nothing otherwise.
std::optional<ClusterEndpoint> ParseClusterAddress(std::string_view text, std::string login);

/// What a feed's thread tells its owner.
struct ClusterEvent {
  enum class Kind {
    kConnected,  ///< the node answered; `text` names it
    kLines,      ///< `lines`: what arrived, in order, parsed
    kFailed,     ///< the connection failed or was lost; `text` says why
    kClosed,     ///< the node closed the connection (a feed that does not reconnect ends)
  };
  Kind kind = Kind::kConnected;
  std::string text;
  std::vector<ClusterLine> lines;
};

/// A telnet connection to one cluster node on a thread of its own: it logs in, strips the
/// telnet negotiation, cuts the stream into lines and passes them on parsed, in batches. With
/// `reconnect` it connects again after any loss, with pauses growing from first_retry to
/// last_retry.
class ClusterFeed {
 public:
  struct Options {
    bool reconnect = true;
    std::chrono::milliseconds first_retry{1000};
    std::chrono::milliseconds last_retry{60000};
  };
  /// Called on the feed's thread; it must hand the event over and return at once.
  using Deliver = std::function<void(ClusterEvent)>;

  ClusterFeed(ClusterEndpoint endpoint, Options options, Deliver deliver);
  /// Closes the connection and ends the thread without waiting on the network.
  ~ClusterFeed();
  ClusterFeed(const ClusterFeed&) = delete;
  ClusterFeed& operator=(const ClusterFeed&) = delete;

  /// Sends a command line to the node ("sh/dx 20"); dropped while not connected.
  void Send(std::string line);

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace mirva
