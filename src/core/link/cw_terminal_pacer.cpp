#include "link/cw_terminal_pacer.h"

namespace mirva {

std::optional<char> CwTerminalPacer::Tick() {
  if (text_.empty()) {
    interval_ms_ = kIdleInterval;
    return std::nullopt;
  }
  char symbol = text_.front();
  text_.erase(0, 1);
  interval_ms_ = kSendInterval;
  return symbol;
}

void CwTerminalPacer::Typed() {
  if (!text_.empty())
    interval_ms_ = kTypingInterval;
}

}  // namespace mirva
