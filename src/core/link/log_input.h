#pragma once

#include <string_view>

#include "link/command_target.h"

namespace mirva {

/// One bit of a command's field mask: the key of the companion's input file it loads and
/// the entry field that takes it.
struct LogInputBit {
  long mask;
  std::string_view key;
  EntryField field;
};

/// The bits in the order they are loaded; the reports have two bits each.
inline constexpr LogInputBit kLogInputBits[] = {
    {4, "Call", EntryField::kCall},
    {16, "Band", EntryField::kBand},
    {64, "RprtRcvd", EntryField::kRprtRcvd},
    {32, "RprtSent", EntryField::kRprtSent},
    {1024, "Note", EntryField::kNote},
    {131072, "RprtSent", EntryField::kRprtSent},
    {262144, "RprtRcvd", EntryField::kRprtRcvd},
    {524288, "NumberSent", EntryField::kNumberSent},
    {1048576, "NumberRcvd", EntryField::kNumberRcvd},
};

/// Sets each field the mask selects, in the order of kLogInputBits: to its key in section
/// [QSO] of the input file (a missing file or key reads as empty), or to empty when `clear`.
/// A loaded value keeps to the field as typing would: control characters, characters a
/// callsign cannot hold and anything past the field's length are left out, the callsign is
/// upper-cased, and a band the contest does not have leaves the band as it was. The operator
/// is told once what was left out.
void ReadLogInput(CommandTarget& entry, long mask, bool clear);

}  // namespace mirva
