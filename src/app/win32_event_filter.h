#pragma once

#ifdef _WIN32

#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QWidget>

#include "win32_message_bus.h"

namespace mirva {

/// Hands the window messages of one window to the companion bus. A broadcast reaches every
/// top-level window of the program, so only the main window's copy may run a command.
class Win32EventFilter : public QAbstractNativeEventFilter {
 public:
  Win32EventFilter(Win32MessageBus& bus, const QWidget& window)
      : bus_(bus), window_(reinterpret_cast<HWND>(window.winId())) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
    if (type != "windows_generic_MSG")
      return false;
    const MSG& msg = *static_cast<const MSG*>(message);
    if (msg.hwnd != window_ || !bus_.HandleMessage(msg.message, msg.wParam, msg.lParam))
      return false;
    *result = 0;
    return true;
  }

 private:
  Win32MessageBus& bus_;
  HWND window_;
};

}  // namespace mirva

#endif
