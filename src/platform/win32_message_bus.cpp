#include "win32_message_bus.h"

#ifdef _WIN32

#include <string>
#include <utility>

#include "session/notifier.h"

namespace mirva {

namespace {

/// The window message registered under `name`, or 0 with `problem` set.
UINT Register(const char* name, std::string& problem) {
  UINT id = RegisterWindowMessageA(name);
  if (id == 0 && problem.empty())
    problem = "the window message " + std::string(name) + " cannot be registered (Windows error " +
              std::to_string(GetLastError()) + ")";
  return id;
}

}  // namespace

Win32MessageBus::Win32MessageBus(Notifier& notifier) {
  std::string problem;
  macro_id_ = Register(kMacroMessage, problem);
  command_id_ = Register(kCommandMessage, problem);
  if (!problem.empty())
    notifier.ShowMessage("The companion link is off: " + problem +
                         ". Macro keys reach no companion program, and no companion command "
                         "reaches this one.");
}

void Win32MessageBus::Broadcast(std::string_view message, long wparam, long lparam) {
  UINT id = message == kMacroMessage ? macro_id_ : message == kCommandMessage ? command_id_ : 0;
  if (id != 0)
    SendMessageA(HWND_BROADCAST, id, static_cast<WPARAM>(wparam), static_cast<LPARAM>(lparam));
}

void Win32MessageBus::Listen(CommandHandler handler) {
  handler_ = std::move(handler);
}

bool Win32MessageBus::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // An unregistered command message is 0, which must not swallow WM_NULL.
  if (command_id_ == 0 || message != command_id_)
    return false;
  if (handler_)
    handler_(static_cast<long>(wparam), static_cast<long>(lparam));
  return true;
}

}  // namespace mirva

#endif
