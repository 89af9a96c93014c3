#pragma once

#include <string>
#include <string_view>

#include "link/ini_file.h"

namespace mirva {

/// A field of the entry that a companion's command can read or set.
enum class EntryField {
  kCall,
  kBand,
  kMode,
  kRprtSent,
  kNumberSent,
  kRprtRcvd,
  kNumberRcvd,
  kNote,
};

/// The entry as a companion's commands reach it: the entry window's fields, their change
/// handling and its save, without the window.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  virtual std::string Field(EntryField field) const = 0;
  /// Sets the field and handles the change as typing it would: lookups, the shared entry
  /// file, and for the callsign the focus moving on to the received exchange.
  virtual void SetField(EntryField field, const std::string& value) = 0;
  virtual bool IsContestBand(std::string_view band) const = 0;
  /// The companion's input file as it is now.
  virtual IniFile ReadInput() = 0;
  /// Saves as the entry window's save button does; true when the QSO was logged.
  virtual bool Save() = 0;
  /// Tells the operator something the command did not do as asked.
  virtual void Tell(const std::string& text) = 0;
};

}  // namespace mirva
