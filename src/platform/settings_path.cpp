#include "settings_path.h"

#include <cstdlib>
#include <string_view>

#include "session/stored_settings.h"

namespace mirva {

namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string StoredSettingsPath() {
  // Qt ignores a relative XDG_CONFIG_HOME, and takes the root for a home it cannot find.
  std::string dir(Environment("XDG_CONFIG_HOME"));
  if (!dir.starts_with('/'))
    dir = std::string(Environment("HOME")) + "/.config";
  return dir + "/" + kSettingsName + ".conf";
}

StoredSettings LoadUserSettings(FileSystem& fs, Notifier& notifier) {
  return LoadStoredSettings(fs, notifier, StoredSettingsPath());
}

}  // namespace mirva
