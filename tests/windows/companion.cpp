// A companion program for the link's tests, as the CW keyboard program would be: it waits
// for the link host's window, sends each command as the registered command message to every
// top-level window and prints the reply broadcast that came back while the command was
// handled.
//   companion CODE MASK [CODE MASK]...   prints "CODE MASK: W L" per reply, or "CODE MASK: none"
//   companion --close                    ends the host
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

UINT reply_message = 0;
std::vector<std::string> replies;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (reply_message != 0 && message == reply_message) {
    replies.push_back(std::to_string(static_cast<unsigned long>(wparam)) + " " +
                      std::to_string(static_cast<long>(lparam)));
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

/// The host's hidden window, once it is there; null after ten seconds.
HWND WaitForHost() {
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND host = FindWindowW(L"MirvaCompanionLink", nullptr))
      return host;
    Sleep(50);
  }
  return nullptr;
}

HWND CreateListener() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"MirvaTestCompanion";
  RegisterClassW(&window_class);
  return CreateWindowExW(0, window_class.lpszClassName, L"companion", WS_OVERLAPPED, 0, 0, 0, 0,
                         nullptr, nullptr, window_class.hInstance, nullptr);
}

/// Handles what is queued for a moment, so that a reply posted rather than sent arrives too.
void Pump() {
  DWORD until = GetTickCount() + 50;
  MSG message;
  while (GetTickCount() < until) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&message);
    Sleep(5);
  }
}

}  // namespace

int main(int argc, char** argv) {
  HWND host = WaitForHost();
  if (host == nullptr) {
    std::fputs("companion: no link host came up\n", stderr);
    return 1;
  }
  if (argc == 2 && std::string(argv[1]) == "--close") {
    SendMessageW(host, WM_CLOSE, 0, 0);
    return 0;
  }
  UINT command = RegisterWindowMessageA("Tobrel_Message");
  reply_message = RegisterWindowMessageA("MRV_CW");
  if (command == 0 || reply_message == 0 || CreateListener() == nullptr) {
    std::fputs("companion: cannot register the messages or make a window\n", stderr);
    return 1;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    unsigned long code = std::strtoul(argv[i], nullptr, 10);
    unsigned long mask = std::strtoul(argv[i + 1], nullptr, 10);
    replies.clear();
    SendMessageA(HWND_BROADCAST, command, code, static_cast<LPARAM>(mask));
    Pump();
    std::string got;
    for (const std::string& reply : replies)
      got += (got.empty() ? "" : ", ") + reply;
    std::printf("%lu %lu: %s\n", code, mask, got.empty() ? "none" : got.c_str());
  }
  return 0;
}
