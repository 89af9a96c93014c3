#include "win32_text.h"

#ifdef _WIN32

#include "text/cp1251.h"

namespace mirva {

std::wstring WidePath(std::string_view path) {
  std::wstring wide;
  for (std::size_t at = 0; at < path.size();) {
    char32_t cp = NextCodePoint(path, at);
    if (cp == kMalformedCodePoint) {
      // Every byte is a letter of Windows-1251, and each of those lies in the 16-bit range.
      wide.clear();
      for (char byte : path)
        wide.push_back(static_cast<wchar_t>(Cp1251CodePoint(byte)));
      return wide;
    }
    if (cp > 0xFFFF) {
      cp -= 0x10000;
      wide.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      cp = 0xDC00 + (cp & 0x3FF);
    }
    wide.push_back(static_cast<wchar_t>(cp));
  }
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = static_cast<char16_t>(text[i]);
    bool pair = cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000;
    if (pair)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
    AppendUtf8(utf8, cp);
  }
  return utf8;
}

std::string WindowsErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                           text.back() == L' '))
    text.pop_back();
  std::string reason = Utf8ToCp1251(Utf8FromWide(text));
  if (reason.empty())
    reason = "unknown error";
  return reason + " (Windows error " + std::to_string(code) + ")";
}

}  // namespace mirva

#endif
