#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "console.h"
#include "win32_text.h"

namespace mirva {

std::vector<std::string> ConsoleArguments(int argc, char** argv) {
  // Reports end their lines in CR LF themselves, and every other line is LF on all systems.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  // main's own words are in the ANSI code page, which cannot hold every letter typed.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr)
    return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i)
    words.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return words;
}

}  // namespace mirva
