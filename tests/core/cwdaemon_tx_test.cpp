#include "cwdaemon_tx.h"

#include <arpa/inet.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
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

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

/// A UDP socket on 127.0.0.1 at a port of the system's choosing.
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

  /// The next datagram, or nothing when none comes within `timeout_ms`.
  std::optional<std::string> Receive(int timeout_ms) {
    pollfd wait{fd_, POLLIN, 0};
    char buffer[512];
    ssize_t size = poll(&wait, 1, timeout_ms) == 1 ? recv(fd_, buffer, sizeof buffer, 0) : -1;
    return size < 0 ? std::nullopt : std::optional(std::string(buffer, size));
  }
  void SendTo(int to, std::string_view datagram) {
    sockaddr_in address = Loopback(to);
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&address),
           sizeof address);
  }

  int fd_;
  int port = 0;
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
    std::string put;
    int stored_speed;
    std::vector<std::string> datagrams;
  } cases[] = {
      {"cq", 25, {Esc("225"), "c", "q"}},
      {"\xC0", 25, {Esc("225"), "\xC0"}},            // Windows-1251 letters go as they are
      {Esc("4") + "\n", 25, {Esc("225"), "4"}},      // an escape would make text a request
      {"\n\t\x7f", 25, {}},                          // control characters only: nothing
      {"`[su]e", 25, {Esc("227"), "e"}},             // the speed key sets the speed first
      {"`[su]`[su]", 58, {Esc("260"), Esc("260")}},  // cwdaemon's top speed
      {"`[sd]`[sd]", 5, {Esc("24"), Esc("24")}},     // and its bottom one
      {"e", 99, {Esc("260"), "e"}},
      {"~[tx]~[cl]", 30, {Esc("230"), Esc("4")}},    // transmit is nothing, clear aborts
      {"a}~[cl]", 25, {Esc("225"), "a", Esc("4")}},  // and so does close
      {"~a", 25, {Esc("225"), "~a"}},
  };
  for (const auto& c : cases) {
    UdpPeer daemon;
    CountingNotifier notifier;
    CwdaemonTx tx({.host = "127.0.0.1", .port = daemon.port, .speed = c.stored_speed}, notifier,
                  "settings");
    PutText(tx, c.put);
    std::vector<std::string> got;
    while (auto datagram = daemon.Receive(got.size() < c.datagrams.size() ? 1000 : 20))
      got.push_back(*datagram);
    EXPECT_EQ(got, c.datagrams) << c.put;
    EXPECT_TRUE(notifier.shown.empty()) << c.put;
  }
}

TEST(CwdaemonTx, AFailureIsToldOnceNotPerCharacter) {
  int closed_port = UdpPeer().port;
  struct Case {
    int port;
    const char* told;
  } cases[] = {
      {closed_port, "Connection refused"},
      {0, "the port 0 is not one from 1 to 65535"},
  };
  for (const auto& c : cases) {
    CountingNotifier notifier;
    CwdaemonTx tx({.host = "127.0.0.1", .port = c.port, .speed = 25}, notifier, "the settings");
    PutText(tx, "cq cq cq de ua3abc");
    PutSequence(tx, kClearSequence);
    ASSERT_EQ(notifier.shown.size(), 1u) << c.told;
    for (std::string part : {std::string(c.told), "127.0.0.1:" + std::to_string(c.port),
                             std::string("[cwdaemon] of the settings")})
      EXPECT_NE(notifier.shown[0].find(part), std::string::npos) << notifier.shown[0];
  }
}

TEST(CwdaemonTx, CwdaemonKeysTheText) {
  const char* path = "/usr/sbin/cwdaemon";
  if (access(path, X_OK) != 0)
    GTEST_SKIP() << path << " is not installed";
  int port = UdpPeer().port;
  // No keying device, no sound, no debug output, in the foreground; stopped by its id.
  std::string port_text = std::to_string(port);
  std::vector<const char*> argv = {
      path, "-n", "-d", "null", "-x", "n", "-y", "n", "-p", port_text.c_str(), nullptr};
  pid_t pid = -1;
  ASSERT_EQ(posix_spawn(&pid, path, nullptr, nullptr, const_cast<char**>(argv.data()), environ), 0);
  struct Stop {
    pid_t pid;
    ~Stop() {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  } stop{pid};

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
