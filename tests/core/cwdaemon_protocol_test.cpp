#include "cwdaemon_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirva {
namespace {

TxPiece Text(std::string text) {
  return {.text = std::move(text), .command = TxCommand::kTransmit, .is_command = false};
}
TxPiece Command(TxCommand command) {
  return {.text = {}, .command = command, .is_command = true};
}
/// A request: escape, then `rest`.
std::string Esc(const char* rest) {
  return "\x1b" + std::string(rest);
}

TEST(CwdaemonRequests, TextAndCommands) {
  struct Case {
    const char* name;
    TxPiece piece;
    int speed_before;
    std::vector<std::string> requests;
    int speed_after;
  } cases[] = {
      {"text as it is", Text("cq de ua3abc"), 25, {"cq de ua3abc"}, 25},
      {"Windows-1251 letters kept", Text("\xC0\xDF"), 25, {"\xC0\xDF"}, 25},
      {"an escape would make text a request", Text(Esc("4")), 25, {"4"}, 25},
      {"control characters only: nothing", Text("\r\n\t\x7f"), 25, {}, 25},
      {"transmit: nothing", Command(TxCommand::kTransmit), 25, {}, 25},
      {"clear aborts", Command(TxCommand::kClear), 25, {Esc("4")}, 25},
      {"close aborts", Command(TxCommand::kClose), 25, {Esc("4")}, 25},
      {"up a step", Command(TxCommand::kSpeedUp), 25, {Esc("227")}, 27},
      {"down a step", Command(TxCommand::kSpeedDown), 25, {Esc("223")}, 23},
      {"up stops at the top", Command(TxCommand::kSpeedUp), 59, {Esc("260")}, 60},
      {"up at the top stays", Command(TxCommand::kSpeedUp), 60, {Esc("260")}, 60},
      {"down stops at the bottom", Command(TxCommand::kSpeedDown), 5, {Esc("24")}, 4},
  };
  for (const auto& c : cases) {
    int speed = c.speed_before;
    EXPECT_EQ(CwdaemonRequests(c.piece, speed), c.requests) << c.name;
    EXPECT_EQ(speed, c.speed_after) << c.name;
  }
}

}  // namespace
}  // namespace mirva
