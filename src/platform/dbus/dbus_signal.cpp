#include "dbus_signal.h"

#include <QVariant>

namespace mirva {

std::optional<SignalArguments> ReadSignalArguments(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (message.signature() != QLatin1String("xx") || arguments.size() != 2)
    return std::nullopt;
  return SignalArguments{static_cast<long>(arguments[0].toLongLong()),
                         static_cast<long>(arguments[1].toLongLong())};
}

bool EmitSignal(QDBusConnection& bus, const char* name, SignalArguments arguments) {
  QDBusMessage message = QDBusMessage::createSignal(
      QLatin1String(kDbusPath), QLatin1String(kDbusInterface), QLatin1String(name));
  message << static_cast<qlonglong>(arguments.wparam) << static_cast<qlonglong>(arguments.lparam);
  return bus.send(message);
}

bool SignalReceiver::Subscribe(QDBusConnection& bus, const char* name) {
  return bus.connect(QString(), QLatin1String(kDbusPath), QLatin1String(kDbusInterface),
                     QLatin1String(name), this, SLOT(Receive(QDBusMessage)));
}

void SignalReceiver::Receive(const QDBusMessage& message) {
  if (std::optional<SignalArguments> arguments = ReadSignalArguments(message))
    deliver_(*arguments);
}

}  // namespace mirva
