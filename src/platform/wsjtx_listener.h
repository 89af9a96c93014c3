#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mirva {

/// Where the digital-mode programs send their datagrams by default.
inline constexpr char kWsjtxDefaultAddress[] = "127.0.0.1:2237";

/// An IPv4 address and port to receive datagrams on; a group address (224.0.0.0/4) is joined.
struct UdpListenAddress {
  std::string address;
  int port = 0;

  bool Multicast() const;
  bool operator==(const UdpListenAddress&) const = default;
};

/// "A.B.C.D:PORT" with a port from 1 to 65535 (0 too when `any_port`); nothing otherwise.
std::optional<UdpListenAddress> ParseListenAddress(std::string_view text, bool any_port = false);

/// A UDP socket on a thread of its own that hands each datagram it receives to a callback. A
/// group address is joined on the default interface and on the loopback one, with the port
/// shared, so that several programs can listen to the same group.
class WsjtxListener {
 public:
  /// Called on the listener's thread; it must hand the datagram over and return at once.
  using Deliver = std::function<void(std::string datagram)>;

  /// Binds the socket and starts the thread; throws std::runtime_error saying why it cannot.
  WsjtxListener(const UdpListenAddress& address, Deliver deliver);
  /// Ends the thread within a fraction of a second.
  ~WsjtxListener();
  WsjtxListener(const WsjtxListener&) = delete;
  WsjtxListener& operator=(const WsjtxListener&) = delete;

  /// The port bound: the one asked for, or the system's choice for 0.
  int Port() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace mirva
