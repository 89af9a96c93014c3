#include "link/ini_entry_file.h"

#include <optional>
#include <utility>

#include "error.h"
#include "link/mirva_ini.h"
#include "text/path_text.h"

namespace mirva {

IniEntryFile::IniEntryFile(FileSystem& fs, std::string directory)
    : fs_(fs), directory_(std::move(directory)) {}

void IniEntryFile::Write(const EntryTexts& entry, EntrySelector selector) {
  std::string path = EntryPath();
  std::optional<std::string> old = fs_.ReadFile(path);
  // Writing over a file that exists but cannot be read would lose the companions' keys.
  if (!old && fs_.Exists(path))
    throw IoError("Cannot read the shared entry file " + PathText(path));
  IniFile ini = IniFile::Parse(old ? *old : "");
  WriteMirvaIni(ini, entry, selector);
  // The file mirrors the entry of the moment and is written on every key: it need not wait
  // for the disk.
  fs_.ReplaceUnsynced(path, path + ".tmp", ini.Text());
}

IniFile IniEntryFile::ReadInput() {
  std::optional<std::string> text = fs_.ReadFile(InputPath());
  return IniFile::Parse(text ? *text : "");
}

}  // namespace mirva
