#pragma once

#include <optional>

#include "link/companion_command.h"
#include "session/qso_entry.h"

namespace mirva {

class Session;

/// Follows a companion's command through the entry, for a window that shows the entry and
/// moves the keyboard as the operator's own typing would.
class EntryCommandWatcher {
 public:
  virtual ~EntryCommandWatcher() = default;
  /// The command set the field and its change handling ran.
  virtual void FieldSet(EntryField field) = 0;
  /// The command's save ended so.
  virtual void SaveEnded(SaveOutcome outcome) = 0;
};

/// Runs a companion's command (RunCompanionCommand) on the entry: a field it loads or empties
/// runs its change handling as typing it would, and its save is the entry's Save. A save that
/// cannot write the QSO is told to the operator and replied as not saved; any other error
/// ends the command, with no reply.
std::optional<CommandReply> RunEntryCommand(Session& session, QsoEntry& entry, long wparam,
                                            long lparam, EntryCommandWatcher* watcher = nullptr);

}  // namespace mirva
