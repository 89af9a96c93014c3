#include "link/log_input.h"

#include <string>

#include "link/mirva_ini.h"
#include "log/input_rule.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

const InputField* InputFieldOf(EntryField field) {
  switch (field) {
    case EntryField::kCall:
      return &kCallInput;
    case EntryField::kRprtSent:
      return &kRprtSentInput;
    case EntryField::kNumberSent:
      return &kNumberSentInput;
    case EntryField::kRprtRcvd:
      return &kRprtRcvdInput;
    case EntryField::kNumberRcvd:
      return &kNumberRcvdInput;
    case EntryField::kNote:
      return &kNoteInput;
    case EntryField::kBand:
    case EntryField::kMode:
      break;
  }
  return nullptr;
}

bool IsCallChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
}

/// The value as the field can hold it; `problem` says what had to go, empty when nothing.
std::string FitToField(const InputField& field, std::string value, std::string& problem) {
  if (field.callsign)
    value = UpperCase(value);
  CheckedInput checked = CheckInputText(field, value);
  if (checked.fault == InputFault::kNone)
    return value;
  std::string kept;
  for (char c : value) {
    if (!IsControlChar(c) && (!field.callsign || IsCallChar(c)))
      kept += c;
  }
  kept = CutTo(kept, field.capacity);
  problem = checked.message + "; loaded as " + ShortQuote(kept);
  return kept;
}

}  // namespace

void ReadLogInput(CommandTarget& entry, long mask, bool clear) {
  IniFile input;
  if (!clear)
    input = entry.ReadInput();
  std::string problems;
  for (const LogInputBit& bit : kLogInputBits) {
    if ((mask & bit.mask) == 0)
      continue;
    std::string value = clear ? "" : input.Read(kQsoSection, bit.key, "");
    std::string problem;
    if (const InputField* field = InputFieldOf(bit.field)) {
      value = FitToField(*field, std::move(value), problem);
    } else if (!clear && !entry.IsContestBand(value)) {
      problem = ShortQuote(value) + " is not a band of this contest; the band stays " +
                ShortQuote(entry.Field(EntryField::kBand));
    }
    if (!problem.empty())
      problems +=
          "\n" + std::string(kLogInputFileName) + ", key " + std::string(bit.key) + ": " + problem;
    if (problem.empty() || bit.field != EntryField::kBand)
      entry.SetField(bit.field, value);
  }
  if (!problems.empty())
    entry.Tell("The companion's values were not all loaded as they stand:" + problems);
}

}  // namespace mirva
