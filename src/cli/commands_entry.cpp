// add, import and check: the entry window's logic driven from the command line, with the
// QSO's own time in place of the running clock.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "cli.h"
#include "error.h"
#include "import_report.h"
#include "log/cabrillo_qso.h"
#include "log/date_value.h"
#include "log/input_rule.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "stop_signals.h"
#include "system_clock.h"
#include "terminal_notifier.h"
#include "text/cp1251.h"
#include "text/path_text.h"
#include "text/strings.h"

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

/// Lines imported between two flushes of the log.
constexpr std::size_t kImportBatch = 1000;

/// The texts of a Cabrillo QSO that the log keeps, and their fields.
constexpr std::pair<std::string CabrilloQso::*, const InputField&> kImportedTexts[] = {
    {&CabrilloQso::Call, kCallInput},
    {&CabrilloQso::RprtSent, kRprtSentInput},
    {&CabrilloQso::NumberSent, kNumberSentInput},
    {&CabrilloQso::RprtRcvd, kRprtRcvdInput},
    {&CabrilloQso::NumberRcvd, kNumberRcvdInput},
};

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return text.substr(0, kMark.size()) == kMark ? text.substr(kMark.size()) : text;
}

/// Whether any line begins a log or holds a QSO.
bool IsCabrillo(const std::vector<std::string_view>& lines) {
  return std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
    CabrilloTag tag = TagOf(line);
    return tag == CabrilloTag::kStartOfLog || tag == CabrilloTag::kQso ||
           tag == CabrilloTag::kExcludedQso;
  });
}

/// Passes the QSO's texts through the input rule into Windows-1251, each cut to its field
/// with a note in `cuts` when it is too long; the reason when a text is refused.
std::string CheckImportedTexts(CabrilloQso& q, std::vector<std::string>& cuts) {
  for (const auto& [member, field] : kImportedTexts) {
    CheckedInput checked = CheckInput(field, q.*member);
    if (checked.fault == InputFault::kTooLong) {
      checked.text.resize(field.capacity);
      cuts.push_back(checked.message + "; logged as '" + checked.text + "'");
    } else if (checked.fault != InputFault::kNone) {
      return checked.message;
    }
    q.*member = std::move(checked.text);
  }
  return {};
}

/// Logs the QSO of a "QSO:" line as the entry window would at the QSO's time, or tells the
/// report why not.
void ImportQso(Session& session, FixedClock& clock, std::string_view line, ImportReport& report) {
  CabrilloLine read = ReadCabrilloLine(line);
  if (!read.qso)
    return report.Skipped(read.error);
  CabrilloQso& q = *read.qso;
  const TContest& contest = session.Contest();
  std::vector<std::string> cuts;
  std::string why = NotOneOf(q.Band, contest.Bands, "band");
  if (why.empty())
    why = NotOneOf(q.Mode, contest.Modes, "mode");
  if (why.empty())
    why = CheckImportedTexts(q, cuts);
  if (!why.empty())
    return report.Skipped(why);
  clock.Set({q.QSODate, q.QSOTime});
  QsoEntry entry(session, clock);
  TypeQso(entry, session,
          {q.Band, q.Mode, q.RprtSent, q.NumberSent, q.RprtRcvd, q.NumberRcvd, q.Call, ""});
  if (!IsLogged(entry.Save()))
    return report.Skipped(kEmptyCallMessage);
  report.Logged(cuts);
}

/// One line of the file: a QSO is logged unless the log has ended, an excluded QSO counted.
void ImportLine(Session& session, FixedClock& clock, std::string_view line, bool& ended,
                ImportReport& report) {
  switch (TagOf(line)) {
    case CabrilloTag::kQso:
      if (ended)
        return report.AfterEnd();
      return ImportQso(session, clock, line, report);
    case CabrilloTag::kExcludedQso:
      return report.Excluded();
    case CabrilloTag::kEndOfLog:
      ended = true;
      return;
    case CabrilloTag::kStartOfLog:
    case CabrilloTag::kOther:
      return;
  }
}

/// Imports the lines in order, flushing the log after every kImportBatch of them, until the
/// end, an error or a signal to stop; returns the exit status.
int ImportLines(Session& session, const std::vector<std::string_view>& lines,
                ImportReport& report) {
  StopSignals stop;
  FixedClock clock;
  bool ended = false;
  std::size_t done = 0;
  try {
    session.BeginLogBatch();
    while (done < lines.size() && !stop.Requested()) {
      report.AtLine(done + 1);
      ImportLine(session, clock, lines[done], ended, report);
      if (++done % kImportBatch == 0) {
        session.EndLogBatch();
        session.BeginLogBatch();
        report.Progress();
      }
    }
    session.EndLogBatch();
  } catch (const std::exception& e) {
    std::string why = e.what();
    try {
      session.EndLogBatch();
    } catch (const std::exception& flush) {
      why += "; and then: " + std::string(flush.what());
    }
    return report.Stopped(done + 1, why);
  }
  if (int signal = stop.Requested())
    return report.Stopped(done + 1, "interrupted by signal " + std::to_string(signal));
  return report.Finish();
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
  Session& session = cli.OpenWriterContestSession();
  session.RequireCountryFile();
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
  Session& session = cli.OpenWriterContestSession();
  session.RequireCountryFile();

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
  Session& session = cli.OpenContestSession();
  session.RequireCountryFile();
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
