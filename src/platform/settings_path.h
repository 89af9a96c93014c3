#pragma once

#include <string>

namespace mirva {

/// The file in which the windowed program keeps its settings (QSettings, native format, user
/// scope): "<config dir>/Mirva contest module.conf", the config dir being $XDG_CONFIG_HOME
/// when that is an absolute path and $HOME/.config otherwise. On Windows the settings are a
/// registry key instead, which needs a variant of its own here.
std::string StoredSettingsPath();

}  // namespace mirva
