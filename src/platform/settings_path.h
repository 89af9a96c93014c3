#pragma once

#include <string>

#include "session/stored_settings.h"

namespace mirva {

class FileSystem;
class Notifier;

/// The file in which the windowed program keeps its settings (QSettings, native format, user
/// scope): "<config dir>/Mirva contest module.conf", the config dir being $XDG_CONFIG_HOME
/// when that is an absolute path and $HOME/.config otherwise. On Windows it is the registry
/// key "HKEY_CURRENT_USER\Software\Mirva contest module", each section a subkey.
std::string StoredSettingsPath();

/// The windowed program's stored settings, read from where StoredSettingsPath says; the
/// operator is told of what could not be read, as LoadStoredSettings tells it.
StoredSettings LoadUserSettings(FileSystem& fs, Notifier& notifier);

}  // namespace mirva
