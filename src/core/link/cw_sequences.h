#pragma once

#include <string_view>

#include "link/tx_buffer.h"

namespace mirva {

/// The command sequences that the companion's transmit buffer takes as commands, not text.
inline constexpr std::string_view kTransmitSequence = "~[tx]";
inline constexpr std::string_view kClearSequence = "~[cl]";
/// A closing brace and then the clear sequence: the CW terminal has closed.
inline constexpr std::string_view kCloseSequence = "}~[cl]";
inline constexpr std::string_view kSpeedUpSequence = "`[su]";
inline constexpr std::string_view kSpeedDownSequence = "`[sd]";

/// Puts the characters of the sequence into the buffer one at a time, in order.
inline void PutSequence(TxBuffer& tx, std::string_view sequence) {
  for (char symbol : sequence)
    tx.Put(symbol);
}

}  // namespace mirva
