#pragma once

#include <string>

#include "file_system.h"
#include "link/entry_file.h"
#include "link/mirva_ini.h"

namespace mirva {

/// The entry file "mirva.INI" and the input file "loginput.ini" in the directory the
/// companion programs share. Each write reads the file, changes the keys the selector names
/// and puts the whole file in place in one step, so a companion never reads half of it.
class IniEntryFile : public EntryFile {
 public:
  IniEntryFile(FileSystem& fs, std::string directory);

  void Write(const EntryTexts& entry, EntrySelector selector) override;
  IniFile ReadInput() override;

  std::string EntryPath() const { return directory_ + "/" + kEntryFileName; }
  std::string InputPath() const { return directory_ + "/" + kLogInputFileName; }

 private:
  FileSystem& fs_;
  std::string directory_;
};

}  // namespace mirva
