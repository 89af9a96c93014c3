#include "cwdaemon_protocol.h"

#include <algorithm>

namespace mirva {

namespace {
constexpr char kAbort[] =
    "\x1b"
    "4";

bool IsControl(char symbol) {
  auto code = static_cast<unsigned char>(symbol);
  return code < 0x20 || code == 0x7f;
}
}  // namespace

int ClampCwdaemonSpeed(int speed) {
  return std::clamp(speed, kCwdaemonMinSpeed, kCwdaemonMaxSpeed);
}

std::string CwdaemonSpeedRequest(int speed) {
  return std::string(kCwdaemonSpeedPrefix) + std::to_string(speed);
}

std::vector<std::string> CwdaemonRequests(const TxPiece& piece, int& speed) {
  if (!piece.is_command) {
    std::string text = piece.text;
    std::erase_if(text, IsControl);
    if (text.empty())
      return {};
    return {text};
  }
  switch (piece.command) {
    case TxCommand::kTransmit:
      return {};
    case TxCommand::kClear:
    case TxCommand::kClose:
      return {kAbort};
    case TxCommand::kSpeedUp:
      speed = ClampCwdaemonSpeed(speed + kCwdaemonSpeedStep);
      return {CwdaemonSpeedRequest(speed)};
    case TxCommand::kSpeedDown:
      speed = ClampCwdaemonSpeed(speed - kCwdaemonSpeedStep);
      return {CwdaemonSpeedRequest(speed)};
  }
  return {};
}

}  // namespace mirva
