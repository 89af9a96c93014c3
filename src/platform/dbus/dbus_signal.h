#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>
#include <optional>
#include <utility>

namespace mirva {

/// The object path and interface of the companion signals on the session bus: the program
/// emits kMacroMessage and listens for kCommandMessage there, each with two int64 arguments.
inline constexpr char kDbusPath[] = "/org/mirva/ContestModule";
inline constexpr char kDbusInterface[] = "org.mirva.ContestModule";

struct SignalArguments {
  long wparam = 0;
  long lparam = 0;
};

/// The two int64 arguments of `message`; nothing when it has another count or other types.
std::optional<SignalArguments> ReadSignalArguments(const QDBusMessage& message);

/// Emits the signal `name` with the two arguments; false, with the bus's error, when it
/// cannot go.
bool EmitSignal(QDBusConnection& bus, const char* name, SignalArguments arguments);

/// Hands the arguments of every well-formed signal it is subscribed to, on its thread's event
/// loop, to a function; signals with other arguments are dropped.
class SignalReceiver : public QObject {
  Q_OBJECT

 public:
  explicit SignalReceiver(std::function<void(SignalArguments)> deliver)
      : deliver_(std::move(deliver)) {}
  /// Subscribes to the signal `name` on the companion path and interface; false when the bus
  /// refuses.
  bool Subscribe(QDBusConnection& bus, const char* name);

 public Q_SLOTS:
  void Receive(const QDBusMessage& message);

 private:
  std::function<void(SignalArguments)> deliver_;
};

}  // namespace mirva
