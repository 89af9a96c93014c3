#include <optional>

#include "cli.h"
#include "native_file_system.h"
#include "reference/callsign.h"
#include "session/session.h"
#include "terminal_notifier.h"
#include "text/path_text.h"

namespace mirva {

int RunLookup(CliContext& cli) {
  cli.RequireNoMoreArgs("lookup", kAnyNumber);
  if (cli.args.empty())
    throw UsageError("lookup takes one CALL or more");
  // No contest is set up here, so WAE-only countries are found too.
  NativeFileSystem fs;
  TerminalNotifier notifier;
  Session session(fs, notifier, cli.dir);
  session.LoadCountryFile(1);
  session.RequireCountryFile();
  for (const std::string& call : cli.args) {
    TCountry rec;
    session.FindCountry(call, rec);
    PrintLine(Join({call, rec.Prefix, rec.Name, rec.CQZone, rec.ITUZone, rec.Continent}, "\t"));
  }
  return 0;
}

int RunWpx(CliContext& cli) {
  cli.RequireNoMoreArgs("wpx", kAnyNumber);
  if (cli.args.empty())
    throw UsageError("wpx takes one CALL or more");
  for (const std::string& call : cli.args)
    PrintLine(Join({call, WpxPrefix(call)}, "\t"));
  return 0;
}

int RunStatus(CliContext& cli) {
  cli.RequireNoMoreArgs("status");
  Session& session = cli.OpenSession();
  session.LoadCatalogue();
  PrintLine("Working directory: " + PathText(cli.dir));
  PrintLine("Country file: " + std::to_string(session.countries().CountryList().size()) +
            " countries, " + std::to_string(session.countries().PrefixList().size()) +
            " prefix words");
  PrintLine("Contests.mrv: " + std::to_string(session.ContestCatalogue().size()) + " contests");
  for (const char* name : {"Spain.DOM", "ITALY.DOM", "Helvetia.DOM", "RUS.DOM"}) {
    session.LoadDomesticList(name);
    PrintLine(std::string(name) + ": " + std::to_string(session.DomesticList().size()) +
              " entries");
  }
  PrintLine("Log: " + std::to_string(session.log().QSOLog().size()) + " QSOs");
  PrintLine("Contest: " + (session.HasContest() ? session.Contest().Name : "none"));
  const std::string& call = session.StationCfg().Call;
  PrintLine("Station: " + (call.empty() ? "none" : call));
  return 0;
}

}  // namespace mirva
