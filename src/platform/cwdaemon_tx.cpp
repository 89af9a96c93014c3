#include "cwdaemon_tx.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "session/notifier.h"

namespace mirva {

namespace {

/// A non-blocking UDP socket connected to host:port, or -1 with `problem` set. Connected, so
/// that a daemon that is not there shows as a refused send.
int OpenSocket(const std::string& host, int port, std::string& problem) {
  if (port < 1 || port > 65535) {
    problem = "the port " + std::to_string(port) + " is not one from 1 to 65535";
    return -1;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  int status = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (status != 0) {
    problem = "the host is not known (" + std::string(gai_strerror(status)) + ")";
    return -1;
  }
  int fd = -1;
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
    fd = socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
      problem = std::strerror(errno);
      close(fd);
      fd = -1;
    } else if (fd < 0) {
      problem = std::strerror(errno);
    }
  }
  freeaddrinfo(found);
  return fd;
}

}  // namespace

CwdaemonTx::CwdaemonTx(const CwdaemonSettings& settings, Notifier& notifier, std::string where)
    : address_(settings.host + ":" + std::to_string(settings.port)),
      where_(std::move(where)),
      notifier_(notifier),
      speed_(ClampCwdaemonSpeed(settings.speed)) {
  socket_ = OpenSocket(settings.host, settings.port, problem_);
}

CwdaemonTx::~CwdaemonTx() {
  if (socket_ >= 0)
    close(socket_);
}

void CwdaemonTx::Put(char symbol) {
  for (const TxPiece& piece : decoder_.Put(symbol)) {
    for (const std::string& request : CwdaemonRequests(piece, speed_))
      Send(request);
  }
}

void CwdaemonTx::Send(const std::string& request) {
  if (socket_ < 0)
    return Fail(problem_);
  // The daemon keeps the speed it had: ours goes first, unless the request sets one.
  if (!std::exchange(speed_sent_, true) && !request.starts_with(kCwdaemonSpeedPrefix))
    Transmit(CwdaemonSpeedRequest(speed_));
  Transmit(request);
}

void CwdaemonTx::Transmit(const std::string& request) {
  if (send(socket_, request.data(), request.size(), MSG_NOSIGNAL) < 0)
    Fail(std::strerror(errno));
}

void CwdaemonTx::Fail(const std::string& why) {
  if (std::exchange(told_, true))
    return;
  notifier_.ShowError("The CW text cannot go to cwdaemon at " + address_ + ": " + why +
                      ". Start cwdaemon there, or set Host and Port in the section [cwdaemon] of " +
                      where_ + ".");
}

}  // namespace mirva
