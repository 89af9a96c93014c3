#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "loopback.h"

namespace mirva {

/// A nats-server with JetStream of the test's own on a free loopback port, its store in a
/// folder the test names and a token it must be given; the server ends with the object.
class NatsBroker {
 public:
  /// The server's program; empty when it is not installed (Debian puts it in /usr/sbin).
  static std::string Executable() {
    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    path += ":/usr/sbin:/usr/local/sbin";
    for (std::size_t start = 0; start <= path.size();) {
      std::size_t end = path.find(':', start);
      if (end == std::string::npos)
        end = path.size();
      std::filesystem::path candidate =
          std::filesystem::path(path.substr(start, end - start)) / "nats-server";
      if (end > start && access(candidate.c_str(), X_OK) == 0)
        return candidate.string();
      start = end + 1;
    }
    return {};
  }

  /// `extra` is added to the server's command line.
  NatsBroker(std::string store, std::string token, std::vector<std::string> extra = {})
      : store_(std::move(store)),
        token_(std::move(token)),
        extra_(std::move(extra)),
        port_(FreeLoopbackPort()),
        monitor_(FreeLoopbackPort()) {}
  ~NatsBroker() { Kill(); }
  NatsBroker(const NatsBroker&) = delete;
  NatsBroker& operator=(const NatsBroker&) = delete;

  /// Starts the server on the same port as before; false when it does not listen soon.
  bool Start() {
    std::string program = Executable();
    std::vector<std::string> words = {
        program, "-a",     "127.0.0.1", "-p", std::to_string(port_),   "-js", "-sd",
        store_,  "--auth", token_,      "-m", std::to_string(monitor_)};
    words.insert(words.end(), extra_.begin(), extra_.end());
    pid_ = fork();
    if (pid_ == 0) {
      // The server's own log goes beside its store, out of the test's output.
      int log = open((store_ + ".log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
      std::vector<char*> argv;
      for (std::string& word : words)
        argv.push_back(word.data());
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    for (int tries = 0; tries < 250; ++tries) {
      if (LoopbackListening(port_))
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  /// Ends the server at once (SIGKILL), as a power cut would.
  void Kill() {
    if (pid_ <= 0)
      return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }

  bool Running() const { return pid_ > 0; }

  /// Whether the server says it is healthy: its JetStream knows a meta leader and its streams
  /// are current.
  bool Healthy() const {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = LoopbackAddress(monitor_);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      const char request[] = "GET /healthz HTTP/1.0\r\n\r\n";
      if (write(fd, request, sizeof request - 1) == ssize_t(sizeof request - 1)) {
        char buffer[256];
        for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
          answer.append(buffer, std::size_t(n));
      }
    }
    close(fd);
    return answer.rfind("HTTP/1.1 200", 0) == 0 || answer.rfind("HTTP/1.0 200", 0) == 0;
  }

  int Port() const { return port_; }
  std::string Url() const { return "nats://127.0.0.1:" + std::to_string(port_); }

 private:
  std::string store_;
  std::string token_;
  std::vector<std::string> extra_;
  int port_;
  int monitor_;
  pid_t pid_ = 0;
};

/// Three nats-servers of the test's own routed into one JetStream cluster on loopback, each
/// with its store in `folder`/nodeN and named nodeN.
class NatsCluster {
 public:
  static constexpr int kNodes = 3;

  NatsCluster(const std::filesystem::path& folder, const std::string& token) {
    std::array<int, kNodes> cluster_ports{};
    std::string routes;
    for (int& port : cluster_ports) {
      port = FreeLoopbackPort();
      routes +=
          (routes.empty() ? "" : ",") + std::string("nats://127.0.0.1:") + std::to_string(port);
    }
    for (int i = 0; i < kNodes; ++i)
      nodes_[i] = std::make_unique<NatsBroker>(
          (folder / ("node" + std::to_string(i))).string(), token,
          std::vector<std::string>{"--server_name", Name(i), "--cluster_name", "mirva", "--cluster",
                                   "nats://127.0.0.1:" + std::to_string(cluster_ports[i]),
                                   "--routes", routes});
  }

  static std::string Name(int node) { return "node" + std::to_string(node); }

  /// Starts every node that is not running and waits until all running ones are healthy.
  bool Start() {
    for (auto& node : nodes_) {
      if (!node->Running() && !node->Start())
        return false;
    }
    return WaitHealthy();
  }

  /// Whether every running node became healthy within `limit`.
  bool WaitHealthy(std::chrono::seconds limit = std::chrono::seconds(10)) const {
    for (auto until = std::chrono::steady_clock::now() + limit;
         std::chrono::steady_clock::now() < until;
         std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
      bool all = true;
      for (const auto& node : nodes_)
        all = all && (!node->Running() || node->Healthy());
      if (all)
        return true;
    }
    return false;
  }

  NatsBroker& Node(int node) { return *nodes_[node]; }

  /// The nodes' client URLs, comma-separated.
  std::string Urls() const {
    std::string urls;
    for (const auto& node : nodes_)
      urls += (urls.empty() ? "" : ",") + node->Url();
    return urls;
  }

 private:
  std::array<std::unique_ptr<NatsBroker>, kNodes> nodes_;
};

}  // namespace mirva
