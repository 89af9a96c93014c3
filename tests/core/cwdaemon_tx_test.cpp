#include "cwdaemon_tx.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/cw_sequences.h"
#include "session_fixture.h"
#include "udp_peer.h"

namespace mirva {
namespace {

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
    RecordingNotifier notifier;
    CwdaemonTx tx({.host = "127.0.0.1", .port = daemon.port, .speed = c.stored_speed}, notifier,
                  "settings");
    PutText(tx, c.put);
    std::vector<std::string> got;
    while (auto datagram = daemon.Receive(got.size() < c.datagrams.size() ? 1000 : 20))
      got.push_back(*datagram);
    EXPECT_EQ(got, c.datagrams) << c.put;
    EXPECT_TRUE(notifier.errors.empty()) << c.put;
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
    RecordingNotifier notifier;
    CwdaemonTx tx({.host = "127.0.0.1", .port = c.port, .speed = 25}, notifier, "the settings");
    PutText(tx, "cq cq cq de ua3abc");
    PutSequence(tx, kClearSequence);
    ASSERT_EQ(notifier.errors.size(), 1u) << c.told;
    for (std::string part : {std::string(c.told), "127.0.0.1:" + std::to_string(c.port),
                             std::string("[cwdaemon] of the settings")})
      EXPECT_NE(notifier.errors[0].find(part), std::string::npos) << notifier.errors[0];
  }
}

}  // namespace
}  // namespace mirva
