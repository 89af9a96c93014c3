#include <cstdio>
#include <optional>

#include "cli.h"
#include "contest/callsign.h"
#include "posix_file_system.h"
#include "session/session.h"
#include "terminal_notifier.h"
#include "text/strings.h"

namespace mirva {

int RunLookup(CliContext& cli) {
  PosixFileSystem fs;
  TerminalNotifier notifier;
  Session session(fs, notifier, cli.dir);
  RequireCountryFile(session);
  for (const std::string& call : cli.args) {
    TCountry rec;
    session.FindCountry(call, rec);
    PrintLine(
        JoinTabs({call, rec.Prefix, rec.Name, rec.CQZone, rec.ITUZone, rec.Continent}));
  }
  return 0;
}

int RunWpx(CliContext& cli) {
  for (const std::string& call : cli.args)
    PrintLine(JoinTabs({call, WpxPrefix(call)}));
  return 0;
}

int RunStatus(CliContext& cli) {
  PosixFileSystem fs;
  TerminalNotifier notifier;
  Session session(fs, notifier, cli.dir);
  session.Start();
  PrintLine("Working directory: " + cli.dir);
  PrintLine("Country file: " + std::to_string(session.countries.CountryList().size()) +
            " countries, " + std::to_string(session.countries.PrefixList().size()) +
            " prefix words");
  std::optional<std::string> catalogue = fs.ReadFile(session.PathOf("Contests.mrv"));
  PrintLine("Contests.mrv: " +
            (catalogue ? std::to_string(SplitLines(*catalogue).size()) + " contests" : "missing"));
  for (const char* name : {"Spain.DOM", "ITALY.DOM", "Helvetia.DOM", "RUS.DOM"}) {
    session.LoadDomesticList(name);
    PrintLine(std::string(name) + ": " + std::to_string(session.DomesticList.size()) +
              " entries");
  }
  PrintLine("Log: " + std::to_string(session.log.QSOLog().size()) + " QSOs");
  return 0;
}

}  // namespace mirva
