#pragma once

namespace mirva {

/// The companion's transmit buffer: the characters to key, one at a time in order, and the
/// bracketed command sequences, which it takes as commands rather than text.
class TxBuffer {
 public:
  virtual ~TxBuffer() = default;
  virtual void Put(char symbol) = 0;
};

/// A transmit buffer that keys nothing, for a program without a transmitter.
class NullTxBuffer : public TxBuffer {
 public:
  void Put(char) override {}
};

}  // namespace mirva
