#pragma once

#include <string>
#include <vector>

namespace mirva {

/// What a command sequence of the transmit buffer asks the transmitter to do.
enum class TxCommand { kTransmit, kClear, kClose, kSpeedUp, kSpeedDown };

/// A run of text to key, or one command; `text` is empty for a command.
struct TxPiece {
  std::string text;
  TxCommand command = TxCommand::kTransmit;
  bool is_command = false;

  bool operator==(const TxPiece&) const = default;
};

/// Splits the characters put into the transmit buffer into text and commands. A character
/// that may start a command sequence is held until the sequence completes (a command) or
/// breaks (text again, in order), so a lone '~' waits for the next character.
class TxDecoder {
 public:
  /// What `symbol`, with the characters held before it, decodes to: nothing while a sequence
  /// may still complete, else text runs and commands in the order they were put.
  std::vector<TxPiece> Put(char symbol);

 private:
  std::string held_;
};

}  // namespace mirva
