#pragma once

#include <string>

#include "link/ini_file.h"

namespace mirva {

/// The entry as the companion reads it from the shared entry file (Windows-1251).
struct EntryTexts {
  std::string Call;
  std::string RprtSent;
  std::string NumberSent;
  std::string RprtRcvd;
  std::string NumberRcvd;
};

/// Which of the entry's texts a write of the shared entry file updates.
enum EntrySelector {
  kEntryCall = 1,
  kEntryRprtSent = 2,
  kEntryNumberSent = 3,
  kEntryRprtRcvd = 4,
  kEntryNumberRcvd = 5,
  kEntryAll = 6,
};

/// The shared entry file that mirrors the entry for the companion on every change, and the
/// input file beside it in which the companion leaves values for the entry to load.
class EntryFile {
 public:
  virtual ~EntryFile() = default;
  /// Throws IoError when the file cannot be written.
  virtual void Write(const EntryTexts& entry, EntrySelector selector) = 0;
  /// The companion's input file as it is now; empty when there is none or it cannot be read.
  virtual IniFile ReadInput() { return {}; }
};

/// An entry file that writes nothing, for a program without a companion link.
class NullEntryFile : public EntryFile {
 public:
  void Write(const EntryTexts&, EntrySelector) override {}
};

}  // namespace mirva
