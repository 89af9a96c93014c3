// The Windows side of the companion link: the exchange library's transmit buffer, over a
// stand-in library that records each call, and the registered window messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "link/cw_sequences.h"
#include "link/macro_codes.h"
#include "pelkorex_tx.h"
#include "recording_notifier.h"
#include "win32_message_bus.h"

namespace mirva {
namespace {

std::string RecordPath() {
  return (std::filesystem::temp_directory_path() / "mirva-pelkorex-record.txt").string();
}

std::string Recorded() {
  std::ifstream in(RecordPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The library stays loaded once found, so the missing library comes first.
TEST(PelkorexTx, WithoutTheLibraryTellsOnceAndKeysNothing) {
  RecordingNotifier notifier;
  PelkorexTx tx(notifier);
  PutSequence(tx, kTransmitSequence);
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_NE(notifier.errors[0].find("pelkorex.dll cannot be loaded"), std::string::npos)
      << notifier.errors[0];
}

TEST(PelkorexTx, SendsEachSequenceCodeByCodeAfterOneInit) {
  std::filesystem::remove(RecordPath());
  _putenv_s("MIRVA_PELKOREX_RECORD", RecordPath().c_str());
  // The stand-in library is built into "stub" beside this program.
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::filesystem::path stub = std::filesystem::path(program).parent_path() / "stub";
  ASSERT_TRUE(SetDllDirectoryW(stub.wstring().c_str()));
  RecordingNotifier notifier;
  PelkorexTx tx(notifier);
  ASSERT_EQ(Recorded(), "init 1\n");
  const struct {
    std::string_view sequence;
    const char* codes;
  } cases[] = {
      {kTransmitSequence, "126 91 116 120 93"},
      {kClearSequence, "126 91 99 108 93"},
      {kCloseSequence, "125 126 91 99 108 93"},
      {kSpeedUpSequence, "96 91 115 117 93"},
      {kSpeedDownSequence, "96 91 115 100 93"},
      // Free text from the terminal, a Windows-1251 letter among it, goes out as it is.
      {"CQ \xc0", "67 81 32 192"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(RecordPath());
    PutSequence(tx, c.sequence);
    std::string expected = c.codes;
    for (char& ch : expected)
      ch = ch == ' ' ? '\n' : ch;
    EXPECT_EQ(Recorded(), expected + "\n") << c.sequence;
  }
  EXPECT_TRUE(notifier.errors.empty());
}

UINT macro_message = 0;
std::vector<std::pair<WPARAM, LPARAM>> heard;

LRESULT CALLBACK Listener(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == macro_message)
    heard.emplace_back(wparam, lparam);
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST(Win32MessageBus, MacroBroadcastReachesEveryTopLevelWindowBeforeItReturns) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = Listener;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"MirvaTestListener";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 0, 0,
                                nullptr, nullptr, window_class.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  macro_message = RegisterWindowMessageA("MRV_CW");
  RecordingNotifier notifier;
  Win32MessageBus bus(notifier);
  const struct {
    int code;
    WPARAM wparam;
  } cases[] = {{FunctionKeyMacro(1), 1}, {CtrlFunctionKeyMacro(12), 112}, {kEscMacro, 0}};
  for (const auto& c : cases) {
    heard.clear();
    bus.Broadcast(kMacroMessage, c.code, 0);
    EXPECT_EQ(heard, (std::vector<std::pair<WPARAM, LPARAM>>{{c.wparam, 0}})) << c.code;
  }
  DestroyWindow(window);
}

TEST(Win32MessageBus, TakesOnlyTheCommandMessage) {
  RecordingNotifier notifier;
  Win32MessageBus bus(notifier);
  std::vector<std::pair<long, long>> commands;
  bus.Listen([&](long wparam, long lparam) { commands.emplace_back(wparam, lparam); });
  UINT command = RegisterWindowMessageA("Tobrel_Message");
  EXPECT_TRUE(bus.HandleMessage(command, 129, 4 | 1048576));
  EXPECT_FALSE(bus.HandleMessage(macro_message, 1, 0));
  EXPECT_FALSE(bus.HandleMessage(WM_NULL, 0, 0));
  EXPECT_EQ(commands, (std::vector<std::pair<long, long>>{{129, 4 | 1048576}}));
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace mirva
