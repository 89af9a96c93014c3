#include "link/companion_command.h"

#include "link/log_input.h"
#include "text/strings.h"

namespace mirva {

namespace {

long SaveIfComplete(CommandTarget& entry) {
  return !EntryIncomplete(entry) && entry.Save() ? 1 : 0;
}

}  // namespace

bool EntryIncomplete(const CommandTarget& entry) {
  for (EntryField field : {EntryField::kCall, EntryField::kMode, EntryField::kBand,
                           EntryField::kRprtSent, EntryField::kRprtRcvd}) {
    if (Trim(entry.Field(field)).empty())
      return true;
  }
  return false;
}

std::optional<CommandReply> RunCompanionCommand(CommandTarget& entry, long wparam, long lparam) {
  long done = 1;
  switch (wparam & 255) {
    case kSaveCommand:
      done = SaveIfComplete(entry);
      break;
    case kLoadAndSaveCommand:
    case kLoadAndSaveCommand2:
      ReadLogInput(entry, lparam, false);
      done = SaveIfComplete(entry);
      break;
    case kLoadCommand:
    case kLoadCommand2:
      ReadLogInput(entry, lparam, false);
      break;
    case kEmptyCommand:
      ReadLogInput(entry, lparam, true);
      break;
    default:
      return std::nullopt;
  }
  return CommandReply{wparam, done};
}

}  // namespace mirva
