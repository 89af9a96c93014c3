#include "session/entry_command.h"

#include <algorithm>

#include "error.h"
#include "session/session.h"

namespace mirva {

namespace {

/// The entry as a companion's commands reach it.
class EntryTarget : public CommandTarget {
 public:
  EntryTarget(Session& session, QsoEntry& entry, EntryCommandWatcher* watcher)
      : session_(session), entry_(entry), watcher_(watcher) {}

  std::string Field(EntryField field) const override { return entry_.Text(field); }

  void SetField(EntryField field, const std::string& value) override {
    entry_.Text(field) = value;
    entry_.FieldChanged(field);
    if (watcher_)
      watcher_->FieldSet(field);
  }

  bool IsContestBand(std::string_view band) const override {
    if (!session_.HasContest())
      return false;
    const std::vector<std::string>& bands = session_.Contest().Bands;
    return std::find(bands.begin(), bands.end(), band) != bands.end();
  }

  IniFile ReadInput() override { return entry_.ReadInput(); }

  bool Save() override {
    SaveOutcome outcome = SaveOutcome::kNoCall;
    try {
      outcome = entry_.Save();
    } catch (const IoError& error) {
      // The companion hears that nothing was saved, the operator why; the entry stays.
      session_.notifier().ShowError(error.what());
      return false;
    }
    if (watcher_)
      watcher_->SaveEnded(outcome);
    return IsLogged(outcome);
  }

  void Tell(const std::string& text) override { session_.notifier().ShowMessage(text); }

 private:
  Session& session_;
  QsoEntry& entry_;
  EntryCommandWatcher* watcher_;
};

}  // namespace

std::optional<CommandReply> RunEntryCommand(Session& session, QsoEntry& entry, long wparam,
                                            long lparam, EntryCommandWatcher* watcher) {
  EntryTarget target(session, entry, watcher);
  return RunCompanionCommand(target, wparam, lparam);
}

}  // namespace mirva
