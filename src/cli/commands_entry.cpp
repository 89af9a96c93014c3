// add, import and check: the entry window's logic driven from the command line, with the
// QSO's own time in place of the running clock.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "cabrillo_import.h"
#include "cli.h"
#include "error.h"
#include "import_report.h"
#include "log/date_value.h"
#include "log/input_rule.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "system_clock.h"
#include "terminal_notifier.h"
#include "text/cp1251.h"
#include "text/path_text.h"
#include "text/strings.h"
#include "typed_qso.h"

namespace mirva {

UtcTime TimeOf(const std::optional<std::string>& at) {
  if (!at)
    return SystemClock().Now();
  std::string_view text = *at;
  std::optional<double> date = ParseIsoDate(text.substr(0, 10));
  std::optional<std::string> time;
  if (text.size() == 16 && text[10] == ' ')
    time = ParseTimeOfDay(text.substr(11));
  if (!date || !time)
    throw UsageError("--at takes the UTC date and time as \"YYYY-MM-DD HH:MM\", not '" +
                     Cp1251ToUtf8(text) + "'");
  return {*date, *time};
}

namespace {

/// The bytes of the file at that (UTF-8) path, or of standard input for "-".
std::string ReadInput(const std::string& path) {
  if (path == "-")
    return {std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("Cannot read " + PathText(path));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int RunAdd(CliContext& cli) {
  cli.yes = cli.TakeFlag("--yes");
  UtcTime time = TimeOf(cli.TakeOption("--at"));
  TypedQso typed;
  typed.call = TakeInputOption(cli, "--call", kCallInput).value_or("");
  typed.band = cli.TakeOption("--band");
  typed.mode = cli.TakeOption("--mode");
  typed.rst_sent = TakeInputOption(cli, "--rst-s", kRprtSentInput);
  typed.sent = TakeInputOption(cli, "--sent", kNumberSentInput);
  typed.rst_rcvd = TakeInputOption(cli, "--rst-r", kRprtRcvdInput);
  typed.rcvd = TakeInputOption(cli, "--rcvd", kNumberRcvdInput);
  typed.note = TakeInputOption(cli, "--note", kNoteInput).value_or("");
  cli.RequireNoMoreArgs("add");
  Session& session = cli.OpenWriterContestSession(Needs::kScoring);
  RequireOneOf(typed.band, session.Contest().Bands, "band");
  RequireOneOf(typed.mode, session.Contest().Modes, "mode");
  FixedClock clock(time);
  QsoEntry entry(session, clock);
  if (!typed.sent) {
    // The window leaves Sent empty for the operator to type; here that is --sent.
    ChooseBandAndMode(entry, typed.band, typed.mode);
    try {
      typed.sent = session.NextSentExchange(entry.Band);
    } catch (const ConversionError& e) {
      throw std::runtime_error(std::string(e.what()) + " Give it with --sent.");
    }
  }
  TypeQso(entry, session, typed);
  switch (entry.Save()) {
    case SaveOutcome::kSaved:
    case SaveOutcome::kSavedWithoutNextSent:
      break;
    case SaveOutcome::kNoCall:
      return 1;
    case SaveOutcome::kNotConfirmed:
      std::fputs("Nothing logged; --yes saves the QSO anyway.\n", stderr);
      return 1;
  }
  QsoLog log = session.log().QSOLog();
  PrintLine(QsoLine(log.size(), log.back()));
  return 0;
}

int RunImport(CliContext& cli) {
  cli.RequireNoMoreArgs("import", 1);
  if (cli.args.size() != 1)
    throw UsageError("import takes one FILE, or - for standard input");
  const std::string& path = cli.PathArg(0);
  std::string source = path == "-" ? "standard input" : PathText(path);
  std::string text = ReadInput(path);
  std::vector<std::string_view> lines = SplitLines(WithoutByteOrderMark(text));
  if (!IsCabrillo(lines))
    throw std::runtime_error(source +
                             " is not a Cabrillo file: it has no START-OF-LOG: or QSO: line");
  cli.yes = true;  // an imported QSO is logged without asking about an empty exchange
  Session& session = cli.OpenWriterContestSession(Needs::kScoring);

  ImportReport report(source, lines.size(), isatty(STDERR_FILENO) == 1);
  cli.notifier().DivertErrors([&report](const std::string& error) { report.SaveError(error); });
  int status = ImportLines(session, lines, report);
  cli.notifier().DivertErrors(nullptr);
  return status;
}

int RunCheck(CliContext& cli) {
  UtcTime time = TimeOf(cli.TakeOption("--at"));
  std::optional<std::string> band = cli.TakeOption("--band");
  std::optional<std::string> mode = cli.TakeOption("--mode");
  std::optional<std::string> rcvd = cli.TakeOption("--rcvd");
  cli.RequireNoMoreArgs("check", 1);
  if (cli.args.size() != 1)
    throw UsageError("check takes one CALL");
  Session& session = cli.OpenContestSession(Needs::kCountries);
  const TContest& contest = session.Contest();
  RequireOneOf(band, contest.Bands, "band");
  RequireOneOf(mode, contest.Modes, "mode");

  FixedClock clock(time);
  QsoEntry entry(session, clock);
  ChooseBandAndMode(entry, band, mode);
  entry.Call = cli.args[0];
  entry.CallChanged();
  std::string proposed = entry.NumberRcvd;
  if (rcvd) {
    entry.NumberRcvd = *rcvd;
    entry.RcvdChanged();
  }
  entry.CallExited();

  const EntryView& view = entry.view;
  PrintLine("Country: " + view.Country);
  PrintLine("Cont: " + view.Cont);
  PrintLine("ITU: " + view.ITU);
  PrintLine("CQ: " + view.CQ);
  PrintLine(std::string("Status: ") + (view.Dupe ? "dupe" : "new"));
  PrintLine("Proposed: " + proposed);
  PrintLine("Proposed on exit: " + entry.NumberRcvd);
  if (!view.HistoryName.empty())
    PrintLine("Name: " + view.HistoryName);
  if (!view.HistoryText.empty())
    PrintLine("User text: " + view.HistoryText);
  std::vector<std::string> worked;
  for (const WorkedCall& call : view.Worked)
    worked.push_back(call.Call + (call.Dupe ? "(dupe)" : ""));
  PrintLine("Worked: " + Join(worked, " "));
  for (std::size_t k = 0; k < view.Mults.size(); ++k) {
    const MultRow& row = view.Mults[k];
    std::string line = "List" + std::to_string(k + 1) + ": " + row.Name;
    for (std::size_t b = 0; row.Name != "???" && b < row.Bands.size() && b < contest.Bands.size();
         ++b)
      line += " " + contest.Bands[b] + row.Bands[b];
    PrintLine(line);
  }
  return 0;
}

}  // namespace mirva
