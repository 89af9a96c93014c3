#pragma once

#include <optional>
#include <string>
#include <utility>

namespace mirva {

/// How the CW terminal feeds its text to the transmit buffer: one character per tick, a
/// quarter second apart, and half a second after a key typed while text is waiting, so that
/// the operator can type ahead of the keying. The caller runs a timer at `interval_ms()`.
class CwTerminalPacer {
 public:
  static constexpr int kIdleInterval = 10;
  static constexpr int kSendInterval = 250;
  static constexpr int kTypingInterval = 500;

  /// The text waiting to be sent, as the operator left it in the terminal.
  void SetText(std::string text) { text_ = std::move(text); }
  const std::string& text() const { return text_; }
  int interval_ms() const { return interval_ms_; }

  /// Takes the first waiting character, the one to put into the transmit buffer now;
  /// nothing when no text waits.
  std::optional<char> Tick();
  /// A key is pressed in the terminal: with text waiting, the next character waits longer.
  void Typed();

 private:
  std::string text_;
  int interval_ms_ = kIdleInterval;
};

}  // namespace mirva
