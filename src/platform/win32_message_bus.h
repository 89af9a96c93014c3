#pragma once

#ifdef _WIN32

#include <windows.h>

#include <string_view>

#include "link/message_bus.h"

namespace mirva {

class Notifier;

/// The companion messages as registered window messages. Broadcast sends to every top-level
/// window and returns when all of them have handled it; commands arrive through HandleMessage,
/// which the program's window-message filter calls. A message that cannot be registered is
/// told once, when the bus is made, and is then neither sent nor taken.
class Win32MessageBus : public MessageBus {
 public:
  explicit Win32MessageBus(Notifier& notifier);

  void Broadcast(std::string_view message, long wparam, long lparam) override;
  void Listen(CommandHandler handler) override;
  /// Runs the handler for a kCommandMessage and returns true: that message goes no further.
  /// Returns false for every other message, which the window handles as usual.
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  UINT macro_id_ = 0;
  UINT command_id_ = 0;
  CommandHandler handler_;
};

}  // namespace mirva

#endif
