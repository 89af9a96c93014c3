// The windowed program's stored settings as QSettings keeps them in the registry: a subkey
// per section, strings as REG_SZ in QSettings' own text form, whole numbers as REG_DWORD.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "session/notifier.h"
#include "settings_path.h"
#include "text/path_text.h"
#include "win32_text.h"

namespace mirva {

namespace {

// QSettings without an application name keeps an organization's settings in the subkey
// "OrganizationDefaults"; the key itself is read when that is missing.
const std::wstring kKey = L"Software\\" + WidePath(kSettingsName);
const std::wstring kQtKey = kKey + L"\\OrganizationDefaults";

/// A registry value written as a value of Qt's INI text, which the core reads: numbers
/// bare, strings quoted with the escapes the reader knows.
std::string IniValue(DWORD type, const std::vector<BYTE>& data) {
  if ((type == REG_DWORD) && data.size() >= 4) {
    DWORD number = 0;
    std::memcpy(&number, data.data(), 4);
    return std::to_string(static_cast<int>(number));
  }
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  if (type == REG_SZ || type == REG_EXPAND_SZ)
    text = text.c_str();  // up to the terminating NUL
  std::string value = "\"";
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      value += '\\';
      value += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%04x", static_cast<unsigned>(c));
      value += escape;
    } else {
      value += static_cast<char>(c);
    }
  }
  return value + "\"";
}

/// Appends the values of `key` to `ini` as KEY=VALUE lines, noting for each line which
/// registry value it came from.
void AppendValues(HKEY key, std::string& ini, std::vector<std::string>& origin,
                  const std::string& section) {
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD name_size = 256;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key, i, name, &name_size, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    name_size = 256;
    if (RegEnumValueW(key, i, name, &name_size, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      continue;
    data.resize(size);
    std::string utf8_name = Utf8FromWide(name);
    ini += utf8_name + "=" + IniValue(type, data) + "\n";
    origin.push_back(section + "\\" + utf8_name);
  }
}

/// The settings under `root` as the text of an INI file: the values of the key itself, then
/// a section per subkey.
std::string IniText(HKEY root, std::vector<std::string>& origin) {
  std::string ini;
  origin.clear();
  AppendValues(root, ini, origin, "");
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD name_size = 256;
    if (RegEnumKeyExW(root, i, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY section;
    if (RegOpenKeyExW(root, name, 0, KEY_READ, &section) != ERROR_SUCCESS)
      continue;
    std::string utf8_name = Utf8FromWide(name);
    ini += "[" + utf8_name + "]\n";
    origin.push_back(utf8_name);
    AppendValues(section, ini, origin, utf8_name);
    RegCloseKey(section);
  }
  return ini;
}

}  // namespace

std::string StoredSettingsPath() {
  return "HKEY_CURRENT_USER\\" + Utf8FromWide(kKey);
}

StoredSettings LoadUserSettings(FileSystem&, Notifier& notifier) {
  HKEY root;
  std::wstring where = kQtKey;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, where.c_str(), 0, KEY_READ, &root) != ERROR_SUCCESS) {
    where = kKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, where.c_str(), 0, KEY_READ, &root) != ERROR_SUCCESS)
      return {};
  }
  std::vector<std::string> origin;
  StoredSettings settings = ParseStoredSettings(IniText(root, origin));
  RegCloseKey(root);
  std::string key = "HKEY_CURRENT_USER\\" + Utf8FromWide(where);
  for (const SettingsNotice& notice : settings.notices) {
    std::string value = notice.line - 1 < origin.size() ? origin[notice.line - 1] : "";
    notifier.ShowMessage("The stored settings " + PathText(key + "\\" + value) + ": " +
                         notice.text + ".");
  }
  return settings;
}

}  // namespace mirva
