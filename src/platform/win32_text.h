#pragma once

#ifdef _WIN32

#include <windows.h>

#include <string>
#include <string_view>

namespace mirva {

/// A path of the core (UTF-8, or Windows-1251 bytes where it is no valid UTF-8, as a name
/// typed in the program's own texts is) as the wide characters the Windows calls take.
std::wstring WidePath(std::string_view path);

/// Wide characters from Windows (a file name, a message) as UTF-8.
std::string Utf8FromWide(std::wstring_view text);

/// The system's text for a Windows error code in Windows-1251, with the code:
/// "Access is denied (Windows error 5)".
std::string WindowsErrorText(DWORD code);

}  // namespace mirva

#endif
