#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/tx_decoder.h"

namespace mirva {

/// The speeds cwdaemon takes (WPM), and the step of one speed key.
inline constexpr int kCwdaemonMinSpeed = 4;
inline constexpr int kCwdaemonMaxSpeed = 60;
inline constexpr int kCwdaemonSpeedStep = 2;
inline constexpr int kCwdaemonDefaultSpeed = 25;

/// How a request that sets the speed starts: escape, '2'; the speed follows in digits.
inline constexpr std::string_view kCwdaemonSpeedPrefix =
    "\x1b"
    "2";

/// `speed` brought within cwdaemon's range.
int ClampCwdaemonSpeed(int speed);
/// The request that sets cwdaemon's speed.
std::string CwdaemonSpeedRequest(int speed);
/// The requests (one datagram each) that carry `piece` to cwdaemon: text to key, the abort
/// that empties its buffer for clear and close, the new speed for the speed keys (which move
/// `speed` one step within the range), nothing for transmit, which cwdaemon does by itself.
/// Control characters are dropped from text: an escape would make it a request.
std::vector<std::string> CwdaemonRequests(const TxPiece& piece, int& speed);

}  // namespace mirva
