#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli.h"
#include "error.h"
#include "link/command_target.h"
#include "link/ini_entry_file.h"
#include "link_host.h"
#include "session/notifier.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "shared_dir.h"
#include "system_clock.h"
#include "terminal_notifier.h"

namespace mirva {

namespace {

/// The entry as a companion's commands reach it without the entry window: a loaded field
/// runs the change handling typing it would.
class HeadlessEntry : public CommandTarget {
 public:
  HeadlessEntry(Session& session, QsoEntry& entry, EntryFile& file, Notifier& notifier)
      : session_(session), entry_(entry), file_(file), notifier_(notifier) {}

  std::string Field(EntryField field) const override { return *Text(field); }

  void SetField(EntryField field, const std::string& value) override {
    *Text(field) = value;
    switch (field) {
      case EntryField::kCall:
        return entry_.CallChanged();
      case EntryField::kBand:
        return entry_.BandChanged();
      case EntryField::kMode:
        return entry_.ModeChanged();
      case EntryField::kRprtSent:
        return entry_.RprtSentChanged();
      case EntryField::kNumberSent:
        return entry_.SentChanged();
      case EntryField::kRprtRcvd:
        return entry_.RprtRcvdChanged();
      case EntryField::kNumberRcvd:
        return entry_.RcvdChanged();
      case EntryField::kNote:
        return;
    }
  }

  bool IsContestBand(std::string_view band) const override {
    for (const std::string& known : session_.Contest().Bands) {
      if (known == band)
        return true;
    }
    return false;
  }

  IniFile ReadInput() override { return file_.ReadInput(); }
  bool Save() override { return IsLogged(entry_.Save()); }
  void Tell(const std::string& text) override { notifier_.ShowMessage(text); }

 private:
  std::string* Text(EntryField field) const {
    switch (field) {
      case EntryField::kCall:
        return &entry_.Call;
      case EntryField::kBand:
        return &entry_.Band;
      case EntryField::kMode:
        return &entry_.Mode;
      case EntryField::kRprtSent:
        return &entry_.RprtSent;
      case EntryField::kNumberSent:
        return &entry_.NumberSent;
      case EntryField::kRprtRcvd:
        return &entry_.RprtRcvd;
      case EntryField::kNumberRcvd:
        return &entry_.NumberRcvd;
      case EntryField::kNote:
        break;
    }
    return &entry_.Note;
  }

  Session& session_;
  QsoEntry& entry_;
  EntryFile& file_;
  Notifier& notifier_;
};

}  // namespace

int RunLink(CliContext& cli) {
  cli.yes = cli.TakeFlag("--yes");
  cli.RequireNoMoreArgs("link");
  if (std::string why = CompanionLinkUnavailable(); !why.empty())
    throw std::runtime_error(why);
  Session& session = cli.OpenWriterContestSession(Needs::kScoring);
  session.RebuildTotals();
  IniEntryFile file(cli.fs(), SharedDirectory());
  SystemClock clock;
  QsoEntry entry(session, clock, &file);
  // As at the first activation of the windows: the contest's first mode and band, the next
  // sent exchange, and every key of the shared entry file.
  entry.Activate();
  // A sent exchange that cannot be proposed is told and left for the companion to fill.
  try {
    entry.NumberSent = session.NextSentExchange();
  } catch (const ConversionError& e) {
    cli.notifier().ShowError(e.what());
  }
  entry.Publish(kEntryAll);
  HeadlessEntry target(session, entry, file, cli.notifier());
  return HostCompanionLink(cli.notifier(), [&](long wparam, long lparam) {
    // An error of one command (a log that cannot be written) is told and gets no reply; the
    // link goes on.
    try {
      return RunCompanionCommand(target, wparam, lparam);
    } catch (const std::exception& error) {
      cli.notifier().ShowError(error.what());
      return std::optional<CommandReply>();
    }
  });
}

}  // namespace mirva
