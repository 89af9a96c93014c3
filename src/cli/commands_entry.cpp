// add, import and check: the entry window's logic driven from the command line, with the
// QSO's own time in place of the running clock.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "cli.h"
#include "error.h"
#include "log/cabrillo_qso.h"
#include "log/date_value.h"
#include "log/input_rule.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "system_clock.h"
#include "text/cp1251.h"
#include "text/path_text.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// The UTC time of --at "YYYY-MM-DD HH:MM", or the system's time without it.
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

/// What the operator puts into the entry; a field left out keeps what the window proposes.
struct TypedQso {
  std::optional<std::string> band;
  std::optional<std::string> mode;
  std::optional<std::string> rst_sent;
  std::optional<std::string> sent;
  std::optional<std::string> rst_rcvd;
  std::optional<std::string> rcvd;
  std::string call;
  std::string note;
};

void ChooseBandAndMode(QsoEntry& entry, const std::optional<std::string>& band,
                       const std::optional<std::string>& mode) {
  entry.Activate();
  if (mode) {
    entry.Mode = *mode;
    entry.ModeChanged();
  }
  if (band) {
    entry.Band = *band;
    entry.BandChanged();
  }
}

/// Fills the entry in the order the window is used: band and mode, reports and sent
/// exchange, the callsign and leaving its field, then the received exchange and the note,
/// which goes after any marker the status check put there.
void TypeQso(QsoEntry& entry, Session& session, const TypedQso& typed) {
  ChooseBandAndMode(entry, typed.band, typed.mode);
  if (typed.rst_sent)
    entry.RprtSent = *typed.rst_sent;
  if (typed.rst_rcvd)
    entry.RprtRcvd = *typed.rst_rcvd;
  entry.NumberSent = typed.sent ? *typed.sent : session.NextSentExchange();
  entry.Call = typed.call;
  entry.CallChanged();
  entry.CallExited();
  if (typed.rcvd) {
    entry.NumberRcvd = *typed.rcvd;
    entry.RcvdChanged();
  }
  entry.Note += typed.note;
}

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
  Session& session = cli.OpenContestSession();
  RequireOneOf(typed.band, session.Contest().Bands, "band");
  RequireOneOf(typed.mode, session.Contest().Modes, "mode");

  FixedClock clock(time);
  QsoEntry entry(session, clock);
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
  if (cli.args.size() != 1)
    throw UsageError("import takes one FILE, or - for standard input");
  std::string text = ReadInput(cli.PathArg(0));
  cli.yes = true;  // an imported QSO is logged without asking about an empty exchange
  Session& session = cli.OpenContestSession();

  FixedClock clock;
  int logged = 0;
  int skipped = 0;
  std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    CabrilloLine read = ReadCabrilloLine(Utf8ToCp1251(lines[i]));
    std::string error = read.error;
    if (read.qso) {
      const CabrilloQso& q = *read.qso;
      clock.Set({q.QSODate, q.QSOTime});
      QsoEntry entry(session, clock);
      TypeQso(entry, session,
              {q.Band, q.Mode, q.RprtSent, q.NumberSent, q.RprtRcvd, q.NumberRcvd, q.Call, ""});
      if (IsLogged(entry.Save()))
        ++logged;
      else
        error = kEmptyCallMessage;
    }
    if (!error.empty()) {
      std::fprintf(stderr, "line %zu skipped: %s\n", i + 1, Cp1251ToUtf8(error).c_str());
      ++skipped;
    }
  }
  PrintLine("Logged: " + std::to_string(logged));
  PrintLine("Skipped: " + std::to_string(skipped));
  return 0;
}

int RunCheck(CliContext& cli) {
  UtcTime time = TimeOf(cli.TakeOption("--at"));
  std::optional<std::string> band = cli.TakeOption("--band");
  std::optional<std::string> mode = cli.TakeOption("--mode");
  std::optional<std::string> rcvd = cli.TakeOption("--rcvd");
  if (cli.args.size() != 1)
    throw UsageError("check takes one CALL");
  Session& session = cli.OpenContestSession();
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
