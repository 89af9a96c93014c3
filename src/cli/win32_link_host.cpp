#include <windows.h>

#include <cstdio>

#include "link_host.h"
#include "stop_signals.h"
#include "win32_message_bus.h"

namespace mirva {

namespace {

/// The class of the hidden window; a companion may find the host by it.
constexpr wchar_t kWindowClass[] = L"MirvaCompanionLink";
/// How often the loop looks for a stop signal while no message comes.
constexpr UINT kStopPollMs = 100;

Win32MessageBus* window_bus = nullptr;

LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window_bus != nullptr && window_bus->HandleMessage(message, wparam, lparam))
    return 0;
  if (message == WM_DESTROY)
    PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

/// A top-level window that is never shown: a broadcast reaches top-level windows only, so
/// a message-only window would hear no companion.
HWND CreateLinkWindow() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = LinkWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kWindowClass;
  RegisterClassW(&window_class);
  return CreateWindowExW(0, kWindowClass, L"Mirva companion link", WS_OVERLAPPED, 0, 0, 0, 0,
                         nullptr, nullptr, window_class.hInstance, nullptr);
}

}  // namespace

std::string CompanionLinkUnavailable() {
  return "";
}

int HostCompanionLink(Notifier& notifier, const CommandRunner& run) {
  Win32MessageBus bus(notifier);
  bus.Listen([&bus, &run](long wparam, long lparam) {
    if (std::optional<CommandReply> reply = run(wparam, lparam))
      bus.Broadcast(kMacroMessage, reply->wparam, reply->lparam);
  });
  HWND window = CreateLinkWindow();
  if (window == nullptr) {
    std::fprintf(stderr,
                 "mirva-cli: the companion link's window cannot be made (Windows error %lu)\n",
                 GetLastError());
    return 1;
  }
  window_bus = &bus;
  StopSignals stop;
  std::fputs("The companion link is up; Ctrl+C ends it.\n", stderr);
  UINT_PTR timer = SetTimer(nullptr, 0, kStopPollMs, nullptr);
  MSG message;
  while (!stop.Requested() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  KillTimer(nullptr, timer);
  window_bus = nullptr;
  if (IsWindow(window))
    DestroyWindow(window);
  std::fputs("The companion link is down.\n", stderr);
  return 0;
}

}  // namespace mirva
