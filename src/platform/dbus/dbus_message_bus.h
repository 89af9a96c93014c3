#pragma once

#include <memory>
#include <string_view>

#include "link/message_bus.h"

namespace mirva {

class Notifier;

/// The companion messages as signals on the D-Bus session bus: Broadcast emits the message
/// by its name, and kCommandMessage signals reach the handler on the event loop of the thread
/// that made the bus. Without a session bus it carries nothing and says so once, when made.
class DbusMessageBus : public MessageBus {
 public:
  explicit DbusMessageBus(Notifier& notifier);
  ~DbusMessageBus() override;
  DbusMessageBus(const DbusMessageBus&) = delete;
  DbusMessageBus& operator=(const DbusMessageBus&) = delete;

  void Broadcast(std::string_view message, long wparam, long lparam) override;
  void Listen(CommandHandler handler) override;
  bool connected() const { return link_ != nullptr; }

 private:
  struct Link;
  std::unique_ptr<Link> link_;
  CommandHandler handler_;
};

}  // namespace mirva
