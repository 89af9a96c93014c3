#include "companion_call.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <string>

#include "dbus_signal.h"
#include "link/message_bus.h"

namespace mirva {

namespace {

/// The event loop the bus needs, for a caller without one of its own.
std::unique_ptr<QCoreApplication> EnsureApplication() {
  if (QCoreApplication::instance() != nullptr)
    return nullptr;
  static int argc = 1;
  static char name[] = "mirva-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QCoreApplication>(argc, argv);
}

std::string ErrorText(const QDBusConnection& bus) {
  std::string why = bus.lastError().message().toStdString();
  return why.empty() ? std::string() : " (" + why + ")";
}

}  // namespace

std::optional<CompanionReply> CallCompanion(long wparam, long lparam,
                                            std::chrono::milliseconds wait) {
  std::unique_ptr<QCoreApplication> app = EnsureApplication();
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    throw std::runtime_error("there is no D-Bus session bus" + ErrorText(bus));
  QEventLoop loop;
  std::optional<CompanionReply> reply;
  SignalReceiver receiver([&](SignalArguments arguments) {
    if (arguments.wparam != wparam || reply)
      return;
    reply = CompanionReply{arguments.wparam, arguments.lparam};
    loop.quit();
  });
  // Subscribed before the command goes, so that no answer can come too early.
  if (!receiver.Subscribe(bus, kMacroMessage))
    throw std::runtime_error("the session bus refused to pass " + std::string(kMacroMessage) +
                             ErrorText(bus));
  if (!EmitSignal(bus, kCommandMessage, {wparam, lparam}))
    throw std::runtime_error("the command could not be sent on the session bus" + ErrorText(bus));
  QTimer::singleShot(wait, &loop, &QEventLoop::quit);
  loop.exec();
  return reply;
}

}  // namespace mirva
