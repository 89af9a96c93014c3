#include "wsjtx_listener.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <atomic>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <thread>
#include <utility>

namespace mirva {

namespace {

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;

void CloseSocket(Socket s) {
  closesocket(s);
}

std::string LastErrorText() {
  return "error " + std::to_string(WSAGetLastError());
}

/// Whether the socket has a datagram within `ms`.
bool Readable(Socket s, int ms) {
  fd_set reads;
  FD_ZERO(&reads);
  FD_SET(s, &reads);
  timeval timeout{0, ms * 1000};
  return select(0, &reads, nullptr, nullptr, &timeout) > 0;
}

long Receive(Socket s, std::string& buffer) {
  return recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
}

struct NetworkUse {
  NetworkUse() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~NetworkUse() { WSACleanup(); }
  NetworkUse(const NetworkUse&) = delete;
  NetworkUse& operator=(const NetworkUse&) = delete;
};
#else
using Socket = int;
constexpr Socket kNoSocket = -1;

void CloseSocket(Socket s) {
  close(s);
}

std::string LastErrorText() {
  return std::strerror(errno);
}

bool Readable(Socket s, int ms) {
  pollfd poll_fd{s, POLLIN, 0};
  return poll(&poll_fd, 1, ms) > 0;
}

long Receive(Socket s, std::string& buffer) {
  return recv(s, buffer.data(), buffer.size(), 0);
}

struct NetworkUse {};
#endif

/// How long the thread waits in one go: a stopped listener ends within it.
constexpr int kSliceMs = 50;

bool ParseIpv4(const std::string& text, in_addr& out) {
  return inet_pton(AF_INET, text.c_str(), &out) == 1;
}

bool Join(Socket s, const in_addr& group, const char* interface_address) {
  ip_mreq request{};
  request.imr_multiaddr = group;
  ParseIpv4(interface_address, request.imr_interface);
  return setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&request),
                    sizeof request) == 0;
}

}  // namespace

bool UdpListenAddress::Multicast() const {
  in_addr parsed{};
  if (!ParseIpv4(address, parsed))
    return false;
  return (ntohl(parsed.s_addr) >> 28) == 0xe;
}

std::optional<UdpListenAddress> ParseListenAddress(std::string_view text, bool any_port) {
  std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos)
    return std::nullopt;
  UdpListenAddress out;
  out.address = std::string(text.substr(0, colon));
  std::string_view port = text.substr(colon + 1);
  auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), out.port);
  in_addr parsed{};
  if (error != std::errc() || end != port.data() + port.size() || out.port > 65535 ||
      out.port < (any_port ? 0 : 1) || !ParseIpv4(out.address, parsed))
    return std::nullopt;
  return out;
}

struct WsjtxListener::State {
  NetworkUse network;
  Socket socket = kNoSocket;
  Deliver deliver;
  std::atomic<bool> stopped = false;
  std::thread thread;
  int port = 0;

  ~State() {
    if (socket != kNoSocket)
      CloseSocket(socket);
  }

  void Run() {
    std::string buffer(65536, '\0');
    while (!stopped) {
      if (!Readable(socket, kSliceMs))
        continue;
      long got = Receive(socket, buffer);
      if (got >= 0 && !stopped)
        deliver(buffer.substr(0, static_cast<std::size_t>(got)));
    }
  }
};

WsjtxListener::WsjtxListener(const UdpListenAddress& address, Deliver deliver)
    : state_(std::make_shared<State>()) {
  State& state = *state_;
  state.deliver = std::move(deliver);
  std::string where = address.address + ":" + std::to_string(address.port);
  in_addr host{};
  if (!ParseIpv4(address.address, host))
    throw std::runtime_error("Cannot listen on " + where + ": not an IPv4 address");
  state.socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (state.socket == kNoSocket)
    throw std::runtime_error("Cannot open a UDP socket: " + LastErrorText());
  bool multicast = address.Multicast();
  sockaddr_in bound{};
  bound.sin_family = AF_INET;
  bound.sin_port = htons(static_cast<std::uint16_t>(address.port));
  bound.sin_addr.s_addr = multicast ? htonl(INADDR_ANY) : host.s_addr;
  if (multicast) {
    int on = 1;
    setsockopt(state.socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on),
               sizeof on);
  }
  if (bind(state.socket, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) != 0)
    throw std::runtime_error("Cannot listen on " + where + ": " + LastErrorText());
  if (multicast) {
    // Either interface may lack a route to the group; one joined is enough.
    bool joined = Join(state.socket, host, "0.0.0.0");
    joined = Join(state.socket, host, "127.0.0.1") || joined;
    if (!joined)
      throw std::runtime_error("Cannot join the group " + address.address + ": " + LastErrorText());
  }
  socklen_t size = sizeof bound;
  getsockname(state.socket, reinterpret_cast<sockaddr*>(&bound), &size);
  state.port = ntohs(bound.sin_port);
  state.thread = std::thread([shared = state_] { shared->Run(); });
}

WsjtxListener::~WsjtxListener() {
  state_->stopped = true;
  state_->thread.join();
}

int WsjtxListener::Port() const {
  return state_->port;
}

}  // namespace mirva
