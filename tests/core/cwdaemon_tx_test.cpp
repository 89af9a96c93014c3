#include "cwdaemon_tx.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/cw_sequences.h"
#include "session/notifier.h"

extern char** environ;

namespace mirva {
namespace {

class CountingNotifier : public Notifier {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  void ShowError(const std::string& text) override { shown.push_back(text); }
  bool AskYesNo(const std::string&) override { return false; }
  std::vector<std::string> shown;
};

/// A UDP socket on 127.0.0.1 at a port of the system's choosing.
class UdpPeer {
 public:
  UdpPeer() {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~UdpPeer() { close(fd_); }
  UdpPeer(const UdpPeer&) = delete;
  UdpPeer& operator=(const UdpPeer&) = delete;

  int port() const { return port_; }
  /// The next datagram, or nothing when none comes within `timeout_ms`.
  std::optional<std::string> Receive(int timeout_ms) {
    pollfd wait{fd_, POLLIN, 0};
    if (poll(&wait, 1, timeout_ms) != 1)
      return std::nullopt;
    char buffer[512];
    ssize_t size = recv(fd_, buffer, sizeof buffer, 0);
    return std::string(buffer, size > 0 ? static_cast<std::size_t>(size) : 0);
  }
  void SendTo(int port, std::string_view datagram) {
    sockaddr_in address = Loopback(port);
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&address),
           sizeof address);
  }

 private:
  static sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }
  int fd_ = -1;
  int port_ = 0;
};

void PutText(TxBuffer& tx, std::string_view text) {
  for (char symbol : text)
    tx.Put(symbol);
}

std::string Esc(const char* rest) {
  return "\x1b" + std::string(rest);
}

TEST(CwdaemonTx, SendsTheRequestsInOrderWithTheSpeedFirst) {
  struct Case {
    const char* put;
    int stored_speed;
    std::vector<std::string> datagrams;
  } cases[] = {
      {"cq", 25, {Esc("225"), "c", "q"}},
      {"`[su]e", 25, {Esc("227"), "e"}},
      {"`[sd]`[sd]", 5, {Esc("24"), Esc("24")}},
      {"~[tx]~[cl]", 30, {Esc("230"), Esc("4")}},
      {"a}~[cl]", 25, {Esc("225"), "a", Esc("4")}},
      {"~a", 25, {Esc("225"), "~a"}},
      {"e", 99, {Esc("260"), "e"}},
      {"\n", 25, {}},
  };
  for (const auto& c : cases) {
    UdpPeer daemon;
    CountingNotifier notifier;
    CwdaemonTx tx({.host = "127.0.0.1", .port = daemon.port(), .speed = c.stored_speed}, notifier,
                  "settings");
    PutText(tx, c.put);
    std::vector<std::string> got;
    while (std::optional<std::string> datagram =
               daemon.Receive(got.size() < c.datagrams.size() ? 1000 : 20))
      got.push_back(*datagram);
    EXPECT_EQ(got, c.datagrams) << c.put;
    EXPECT_TRUE(notifier.shown.empty()) << c.put;
  }
}

TEST(CwdaemonTx, AFailureIsToldOnceNotPerCharacter) {
  int closed_port;
  {
    UdpPeer gone;
    closed_port = gone.port();
  }
  struct Case {
    const char* name;
    int port;
    const char* told;
  } cases[] = {
      {"nothing listens", closed_port, "Connection refused"},
      {"no such port", 0, "the port 0 is not one from 1 to 65535"},
  };
  for (const auto& c : cases) {
    CountingNotifier notifier;
    CwdaemonTx tx({.host = "127.0.0.1", .port = c.port, .speed = 25}, notifier, "the settings");
    PutText(tx, "cq cq cq de ua3abc");
    PutSequence(tx, kClearSequence);
    ASSERT_EQ(notifier.shown.size(), 1u) << c.name;
    EXPECT_NE(notifier.shown[0].find(c.told), std::string::npos) << notifier.shown[0];
    EXPECT_NE(notifier.shown[0].find("127.0.0.1:" + std::to_string(c.port)), std::string::npos);
    EXPECT_NE(notifier.shown[0].find("the settings"), std::string::npos);
  }
}

/// cwdaemon on a free port with no keying device and no sound, stopped with the object.
class Cwdaemon {
 public:
  static std::optional<std::string> Find() {
    for (const char* path : {"/usr/sbin/cwdaemon", "/usr/bin/cwdaemon", "/usr/local/sbin/cwdaemon",
                             "/usr/local/bin/cwdaemon"}) {
      if (access(path, X_OK) == 0)
        return path;
    }
    return std::nullopt;
  }
  Cwdaemon(const std::string& path, int port) {
    std::string port_text = std::to_string(port);
    std::vector<std::string> words = {path, "-n", "-d", "null", "-x",
                                      "n",  "-y", "n",  "-p",   port_text};
    std::vector<char*> argv;
    for (std::string& word : words)
      argv.push_back(word.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
  }
  ~Cwdaemon() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  Cwdaemon(const Cwdaemon&) = delete;
  Cwdaemon& operator=(const Cwdaemon&) = delete;
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

TEST(CwdaemonTx, CwdaemonKeysTheText) {
  std::optional<std::string> path = Cwdaemon::Find();
  if (!path)
    GTEST_SKIP() << "cwdaemon is not installed";
  int port;
  {
    UdpPeer free_port;
    port = free_port.port();
  }
  Cwdaemon daemon(*path, port);
  ASSERT_TRUE(daemon.started());
  // The daemon answers an escape-h request once it has keyed the text that follows it.
  UdpPeer client;
  bool up = false;
  for (int tries = 0; tries < 30 && !up; ++tries) {
    client.SendTo(port, Esc("hup"));
    client.SendTo(port, "e");
    up = client.Receive(300).has_value();
  }
  ASSERT_TRUE(up) << "cwdaemon did not answer on port " << port;

  CountingNotifier notifier;
  CwdaemonTx tx({.host = "127.0.0.1", .port = port, .speed = 58}, notifier, "settings");
  PutSequence(tx, kSpeedUpSequence);
  client.SendTo(port, Esc("hkeyed"));
  PutText(tx, "5nn");
  std::optional<std::string> reply;
  do {
    reply = client.Receive(3000);  // late answers to the probes come first
  } while (reply && *reply != "hkeyed\r\n");
  EXPECT_TRUE(reply.has_value()) << "no answer after the text";
  EXPECT_EQ(tx.speed(), 60);
  EXPECT_TRUE(notifier.shown.empty());
}

}  // namespace
}  // namespace mirva
