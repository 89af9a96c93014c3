#pragma once

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mirva {

/// A UDP socket on 127.0.0.1 at a port of the system's choosing, playing either end of the
/// cwdaemon protocol in tests.
class UdpPeer {
 public:
  UdpPeer() : fd_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
  }
  ~UdpPeer() { close(fd_); }
  UdpPeer(const UdpPeer&) = delete;
  UdpPeer& operator=(const UdpPeer&) = delete;

  void SendTo(int to, std::string_view datagram) {
    sockaddr_in address = Loopback(to);
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&address),
           sizeof address);
  }

  /// The next datagram, or nothing when none comes within `timeout_ms`; `idle` runs between
  /// short waits, so that a program's events go on meanwhile.
  std::optional<std::string> Receive(int timeout_ms, const std::function<void()>& idle = {}) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    do {
      pollfd wait{fd_, POLLIN, 0};
      if (poll(&wait, 1, idle ? 10 : timeout_ms) == 1) {
        char buffer[512];
        ssize_t size = recv(fd_, buffer, sizeof buffer, 0);
        return size < 0 ? std::nullopt
                        : std::optional(std::string(buffer, static_cast<std::size_t>(size)));
      }
      if (idle)
        idle();
    } while (idle && std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
  }

  int port = 0;

 private:
  static sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }

  int fd_;
};

}  // namespace mirva
