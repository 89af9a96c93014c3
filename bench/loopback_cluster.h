#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace mirva {

/// A cluster node on 127.0.0.1 for the benchmarks: it takes one client's login line, sends
/// `held` spot lines at once, and once told to go, `count` more at `rate` lines a second (a
/// count of 0: until it stops). It never closes the connection itself, so the client stays.
class LoopbackCluster {
 public:
  /// The n-th line sent (from 0): the held ones first.
  using LineOf = std::function<std::string(int n)>;

  LoopbackCluster(int held, double rate, int count, LineOf line)
      : held_(held), rate_(rate), count_(count), line_(std::move(line)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener_, 1) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
      return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
  }

  ~LoopbackCluster() {
    stop_ = true;
    if (thread_.joinable())
      thread_.join();
    close(listener_);
  }

  /// 0 when it could not listen.
  int Port() const { return port_; }
  /// Starts the lines after the held ones.
  void Go() { go_ = true; }
  /// Whether every line was sent (never with a count of 0).
  bool Done() const { return done_; }

 private:
  /// Waits up to 50 ms for `fd` to be readable; false when it is not (yet).
  static bool Readable(int fd) {
    pollfd wait{fd, POLLIN, 0};
    return poll(&wait, 1, 50) > 0;
  }

  bool Send(int fd, int n) {
    std::string text = line_(n) + "\r\n";
    return send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
  }

  void Run() {
    int client = -1;
    while (!stop_ && client < 0)
      if (Readable(listener_))
        client = accept(listener_, nullptr, nullptr);
    // The login: one line.
    std::string got;
    char buffer[100];
    while (!stop_ && got.find("\r\n") == std::string::npos) {
      if (!Readable(client))
        continue;
      ssize_t n = recv(client, buffer, sizeof buffer, 0);
      if (n <= 0)
        break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    for (int n = 0; n < held_ && !stop_; ++n)
      Send(client, n);
    while (!stop_ && !go_)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    auto start = std::chrono::steady_clock::now();
    int sent = 0;
    while (!stop_ && (count_ == 0 || sent < count_)) {
      double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      int due = static_cast<int>(seconds * rate_) + 1;
      if (count_ != 0 && due > count_)
        due = count_;
      for (; sent < due; ++sent)
        Send(client, held_ + sent);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    done_ = sent == count_;
    while (!stop_)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (client >= 0)
      close(client);
  }

  int held_;
  double rate_;
  int count_;
  LineOf line_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<bool> go_{false};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace mirva
