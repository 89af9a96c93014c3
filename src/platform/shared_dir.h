#pragma once

#include <string>

namespace mirva {

/// The directory the program shares with its companion programs, where the shared entry
/// file and the companion's input file live. On Windows it is the Windows directory;
/// elsewhere $MIRVA_SHARED_DIR, else $XDG_DATA_HOME/mirva-shared (by default
/// ~/.local/share/mirva-shared), created when missing. A directory that cannot be created
/// is still given: writing the entry file there then fails and says so.
std::string SharedDirectory();

}  // namespace mirva
