#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli.h"
#include "error.h"
#include "link/ini_entry_file.h"
#include "link_host.h"
#include "session/entry_command.h"
#include "session/notifier.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "shared_dir.h"
#include "system_clock.h"
#include "terminal_notifier.h"

namespace mirva {

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
    entry.NumberSent = session.NextSentExchange(entry.Band);
  } catch (const ConversionError& e) {
    cli.notifier().ShowError(e.what());
  }
  entry.Publish(kEntryAll);
  return HostCompanionLink(cli.notifier(), [&](long wparam, long lparam) {
    // A QSO that cannot be written is replied as not saved; any other error of one command
    // is told and gets no reply. The link goes on.
    try {
      return RunEntryCommand(session, entry, wparam, lparam);
    } catch (const std::exception& error) {
      cli.notifier().ShowError(error.what());
      return std::optional<CommandReply>();
    }
  });
}

}  // namespace mirva
