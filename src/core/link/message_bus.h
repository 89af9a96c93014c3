#pragma once

#include <functional>
#include <string_view>

namespace mirva {

/// The registered message that carries macro requests and replies to the companion.
inline constexpr char kMacroMessage[] = "MRV_CW";
/// The registered message on which the companion sends its commands.
inline constexpr char kCommandMessage[] = "Tobrel_Message";

/// What the program does with a companion's command (kCommandMessage) and its two arguments.
using CommandHandler = std::function<void(long wparam, long lparam)>;

/// Messages between this program and its companions: a broadcast of a named message with two
/// integer arguments, as the platform carries them.
class MessageBus {
 public:
  virtual ~MessageBus() = default;
  virtual void Broadcast(std::string_view message, long wparam, long lparam) = 0;
  /// Hands every command that arrives from now on to `handler`; an empty one drops them.
  virtual void Listen(CommandHandler handler) = 0;
};

/// A bus that carries nothing, for a program without a companion link.
class NullMessageBus : public MessageBus {
 public:
  void Broadcast(std::string_view, long, long) override {}
  void Listen(CommandHandler) override {}
};

}  // namespace mirva
