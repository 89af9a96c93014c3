#include "cluster_feed.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <algorithm>
#include <atomic>
#include <charconv>
#include <mutex>
#include <thread>
#include <utility>

#include "spots/cluster_stream.h"

namespace mirva {

namespace {

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;

void CloseSocket(Socket s) {
  closesocket(s);
}

int LastError() {
  return WSAGetLastError();
}

bool WouldBlock(int error) {
  return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}

std::string ErrorText(int error) {
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
  std::string message(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

bool SetNonBlocking(Socket s) {
  u_long on = 1;
  return ioctlsocket(s, FIONBIO, &on) == 0;
}

/// Waits up to `ms` for the socket to be readable or writable; false on an error.
bool WaitSocket(Socket s, bool want_write, int ms, bool& readable, bool& writable) {
  fd_set reads;
  fd_set writes;
  fd_set errors;
  FD_ZERO(&reads);
  FD_ZERO(&writes);
  FD_ZERO(&errors);
  FD_SET(s, &reads);
  FD_SET(s, &errors);
  if (want_write)
    FD_SET(s, &writes);
  timeval timeout{ms / 1000, (ms % 1000) * 1000};
  int ready = select(0, &reads, &writes, &errors, &timeout);
  if (ready < 0)
    return false;
  readable = FD_ISSET(s, &reads) || FD_ISSET(s, &errors);
  writable = FD_ISSET(s, &writes) || FD_ISSET(s, &errors);
  return true;
}

/// Winsock is started for as long as a feed's thread runs.
struct NetworkUse {
  NetworkUse() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~NetworkUse() { WSACleanup(); }
};

constexpr int kTimedOut = WSAETIMEDOUT;

long SendSome(Socket s, const std::string& bytes) {
  return send(s, bytes.data(), static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 20)), 0);
}

long ReceiveSome(Socket s, char* buffer, std::size_t size) {
  return recv(s, buffer, static_cast<int>(size), 0);
}
#else
using Socket = int;
constexpr Socket kNoSocket = -1;

void CloseSocket(Socket s) {
  close(s);
}

int LastError() {
  return errno;
}

bool WouldBlock(int error) {
  return error == EINPROGRESS || error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

std::string ErrorText(int error) {
  return std::strerror(error);
}

bool SetNonBlocking(Socket s) {
  int flags = fcntl(s, F_GETFL, 0);
  return flags >= 0 && fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0 &&
         fcntl(s, F_SETFD, FD_CLOEXEC) == 0;
}

bool WaitSocket(Socket s, bool want_write, int ms, bool& readable, bool& writable) {
  pollfd entry{s, static_cast<short>(POLLIN | (want_write ? POLLOUT : 0)), 0};
  int ready = poll(&entry, 1, ms);
  if (ready < 0)
    return errno == EINTR;
  readable = entry.revents & (POLLIN | POLLHUP | POLLERR);
  writable = entry.revents & (POLLOUT | POLLHUP | POLLERR);
  return true;
}

struct NetworkUse {
  NetworkUse() {}  // POSIX sockets need no start
};

constexpr int kTimedOut = ETIMEDOUT;

long SendSome(Socket s, const std::string& bytes) {
  return send(s, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

long ReceiveSome(Socket s, char* buffer, std::size_t size) {
  return recv(s, buffer, size, 0);
}
#endif

/// How long the thread sleeps in one wait: a stopped feed ends within it.
constexpr int kSliceMs = 50;
constexpr std::chrono::milliseconds kConnectTimeout{10000};
constexpr std::size_t kReadSize = 16384;

/// The socket's pending error after a non-blocking connect; 0 when it connected.
int ConnectError(Socket s) {
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0)
    return LastError();
  return error;
}

}  // namespace

struct ClusterFeed::State {
  ClusterEndpoint endpoint;
  Options options;
  Deliver deliver;

  /// Guards the fields below; a delivery holds `delivering` instead, so that the owner may
  /// Send from it.
  std::mutex mutex;
  std::mutex delivering;
  std::atomic<bool> stopped = false;  ///< the owner is gone: nothing is delivered any more
  bool resolving = false;             ///< the thread waits on a name lookup it cannot cut short
  bool connected = false;
  std::string outgoing;  ///< lines Send queued, with their line ends
  std::thread thread;

  bool Stopped() const { return stopped; }

  /// Hands the event over unless the owner has gone.
  void Tell(ClusterEvent event) {
    std::lock_guard lock(delivering);
    if (!stopped)
      deliver(std::move(event));
  }

  /// Sleeps up to `pause` in slices; false when the feed was stopped meanwhile.
  bool Pause(std::chrono::milliseconds pause) {
    auto until = std::chrono::steady_clock::now() + pause;
    for (auto now = std::chrono::steady_clock::now(); now < until && !Stopped();
         now = std::chrono::steady_clock::now())
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
          until - now, std::chrono::milliseconds(kSliceMs)));
    return !Stopped();
  }

  Socket Connect(std::string& problem);
  /// Reads until the node closes, the connection fails or the feed stops; true when the node
  /// closed it.
  bool Read(Socket s, std::string& problem);
  void Run();
};

Socket ClusterFeed::State::Connect(std::string& problem) {
  {
    std::lock_guard lock(mutex);
    if (stopped)
      return kNoSocket;
    resolving = true;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int status =
      getaddrinfo(endpoint.host.c_str(), std::to_string(endpoint.port).c_str(), &hints, &found);
  {
    std::lock_guard lock(mutex);
    resolving = false;
  }
  if (status != 0) {
    problem = "the host " + endpoint.host + " is not known (" + gai_strerror(status) + ")";
    return kNoSocket;
  }
  Socket opened = kNoSocket;
  for (addrinfo* a = found; a && opened == kNoSocket && !Stopped(); a = a->ai_next) {
    Socket s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == kNoSocket || !SetNonBlocking(s)) {
      problem = ErrorText(LastError());
      if (s != kNoSocket)
        CloseSocket(s);
      continue;
    }
    int error = 0;
    if (connect(s, a->ai_addr, static_cast<socklen_t>(a->ai_addrlen)) != 0) {
      error = LastError();
      if (WouldBlock(error)) {
        error = kTimedOut;
        auto until = std::chrono::steady_clock::now() + kConnectTimeout;
        while (std::chrono::steady_clock::now() < until && !Stopped()) {
          bool readable = false;
          bool writable = false;
          if (!WaitSocket(s, true, kSliceMs, readable, writable)) {
            error = LastError();
            break;
          }
          if (writable || readable) {
            error = ConnectError(s);
            break;
          }
        }
      }
    }
    if (error == 0)
      opened = s;
    else {
      problem = ErrorText(error);
      CloseSocket(s);
    }
  }
  freeaddrinfo(found);
  return opened;
}

bool ClusterFeed::State::Read(Socket s, std::string& problem) {
  ClusterStream stream;
  std::string sending;
  char buffer[kReadSize];
  while (!Stopped()) {
    {
      std::lock_guard lock(mutex);
      sending += outgoing;
      outgoing.clear();
    }
    bool readable = false;
    bool writable = false;
    if (!WaitSocket(s, !sending.empty(), kSliceMs, readable, writable)) {
      problem = ErrorText(LastError());
      return false;
    }
    if (writable && !sending.empty()) {
      long sent = SendSome(s, sending);
      if (sent < 0 && !WouldBlock(LastError())) {
        problem = ErrorText(LastError());
        return false;
      }
      if (sent > 0)
        sending.erase(0, static_cast<std::size_t>(sent));
    }
    if (!readable)
      continue;
    long got = ReceiveSome(s, buffer, sizeof buffer);
    if (got < 0 && WouldBlock(LastError()))
      continue;
    if (got < 0) {
      problem = ErrorText(LastError());
      return false;
    }
    std::vector<std::string> lines =
        stream.Feed(std::string_view(buffer, static_cast<std::size_t>(got)));
    if (got == 0) {
      std::string last = stream.TakePartial();
      if (!last.empty())
        lines.push_back(std::move(last));
    }
    if (!lines.empty()) {
      ClusterEvent event{ClusterEvent::Kind::kLines, {}, {}};
      event.lines.reserve(lines.size());
      for (const std::string& line : lines)
        event.lines.push_back(ParseClusterLine(line));
      Tell(std::move(event));
    }
    if (got == 0)
      return true;
  }
  return false;
}

void ClusterFeed::State::Run() {
  NetworkUse network;
  std::chrono::milliseconds retry = options.first_retry;
  while (!Stopped()) {
    std::string problem;
    Socket s = Connect(problem);
    bool closed = false;
    if (s != kNoSocket) {
      retry = options.first_retry;
      {
        std::lock_guard lock(mutex);
        connected = true;
        outgoing = endpoint.login + "\r\n";
      }
      Tell({ClusterEvent::Kind::kConnected,
            endpoint.host + ":" + std::to_string(endpoint.port),
            {}});
      closed = Read(s, problem);
      CloseSocket(s);
      std::lock_guard lock(mutex);
      connected = false;
      outgoing.clear();
    }
    if (Stopped())
      return;
    if (closed)
      Tell({ClusterEvent::Kind::kClosed,
            endpoint.host + ":" + std::to_string(endpoint.port) + " closed the connection",
            {}});
    else
      Tell({ClusterEvent::Kind::kFailed,
            endpoint.host + ":" + std::to_string(endpoint.port) + ": " + problem,
            {}});
    if (!options.reconnect || !Pause(retry))
      return;
    retry = std::min(retry * 2, std::max(options.last_retry, options.first_retry));
  }
}

std::optional<ClusterEndpoint> ParseClusterAddress(std::string_view text, std::string login) {
  std::string_view host;
  std::string_view port;
  if (text.starts_with('[')) {
    std::size_t close = text.find("]:");
    if (close == std::string_view::npos)
      return std::nullopt;
    host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else {
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos)
      return std::nullopt;
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  int number = 0;
  auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  bool blank = std::any_of(host.begin(), host.end(),
                           [](char c) { return static_cast<unsigned char>(c) <= ' '; });
  if (host.empty() || blank || port.empty() || error != std::errc() ||
      end != port.data() + port.size() || number < 1 || number > 65535)
    return std::nullopt;
  return ClusterEndpoint{std::string(host), number, std::move(login)};
}

ClusterFeed::ClusterFeed(ClusterEndpoint endpoint, Options options, Deliver deliver)
    : state_(std::make_shared<State>()) {
  state_->endpoint = std::move(endpoint);
  state_->options = options;
  state_->deliver = std::move(deliver);
  state_->thread = std::thread([state = state_] { state->Run(); });
}

ClusterFeed::~ClusterFeed() {
  bool resolving = false;
  {
    std::scoped_lock lock(state_->mutex, state_->delivering);
    state_->stopped = true;
    resolving = state_->resolving;
  }
  // A name lookup cannot be cut short: the thread ends by itself once it is back, keeping its
  // state alive, and delivers nothing more.
  if (resolving)
    state_->thread.detach();
  else
    state_->thread.join();
}

void ClusterFeed::Send(std::string line) {
  std::lock_guard lock(state_->mutex);
  if (state_->connected)
    state_->outgoing += line + "\r\n";
}

}  // namespace mirva
