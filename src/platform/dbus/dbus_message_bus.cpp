#include "dbus_message_bus.h"

#include <QDBusError>
#include <string>
#include <utility>

#include "dbus_signal.h"
#include "session/notifier.h"

namespace mirva {

struct DbusMessageBus::Link {
  Link(const QDBusConnection& connection, std::function<void(SignalArguments)> deliver)
      : bus(connection), receiver(std::move(deliver)) {}
  QDBusConnection bus;
  SignalReceiver receiver;
};

DbusMessageBus::DbusMessageBus(Notifier& notifier) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  auto deliver = [this](SignalArguments arguments) {
    if (handler_)
      handler_(arguments.wparam, arguments.lparam);
  };
  std::string why = "there is no D-Bus session bus";
  if (bus.isConnected()) {
    link_ = std::make_unique<Link>(bus, deliver);
    if (link_->receiver.Subscribe(link_->bus, kCommandMessage))
      return;
    link_.reset();
    why = "the D-Bus session bus does not pass the companion's commands";
  }
  std::string detail = bus.lastError().message().toStdString();
  if (!detail.empty())
    why += " (" + detail + ")";
  notifier.ShowMessage("The companion link is off: " + why +
                       ". Macro keys reach no companion program, and no companion command "
                       "reaches this one.");
}

DbusMessageBus::~DbusMessageBus() = default;

void DbusMessageBus::Broadcast(std::string_view message, long wparam, long lparam) {
  if (link_)
    EmitSignal(link_->bus, std::string(message).c_str(), {wparam, lparam});
}

void DbusMessageBus::Listen(CommandHandler handler) {
  handler_ = std::move(handler);
}

}  // namespace mirva
