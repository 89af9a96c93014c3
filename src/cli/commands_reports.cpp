#include <cstdio>

#include "cli.h"
#include "program_version.h"
#include "reports/cabrillo.h"
#include "reports/cabrillo_check.h"
#include "reports/cabrillo_v3.h"
#include "reports/operators.h"
#include "reports/summary.h"
#include "session/output_file.h"
#include "session/session.h"
#include "system_clock.h"
#include "text/cp1251.h"
#include "workspace/report_headers.h"
#include "workspace/workspace_settings.h"

namespace mirva {

namespace {

/// Writes the report as the preview's save does: to the file, or to standard output.
void Deliver(Session& session, const std::optional<std::string>& out, const ReportLines& lines) {
  std::string bytes = ReportFileBytes(lines);
  if (out) {
    WriteOutputFile(session, *out, bytes);
    return;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout))
    throw std::runtime_error("The report could not be written to standard output");
}

/// Tells on standard error what a sponsor's robot would reject, one line each and the count;
/// nothing when the log is clean, unless `always_count`.
void TellProblems(const std::vector<CabrilloProblem>& problems, bool always_count) {
  for (const CabrilloProblem& problem : problems)
    std::fprintf(stderr, "%s\n", Cp1251ToUtf8(CabrilloProblemLine(problem)).c_str());
  if (!problems.empty() || always_count)
    std::fprintf(stderr, "%s\n", CabrilloProblemCount(problems.size()).c_str());
}

/// --check's exit status when the log has problems.
constexpr int kProblemsFound = 3;

}  // namespace

int RunCabrillo(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  std::optional<std::string> call = cli.TakeOption("--call");
  const std::pair<const char*, std::string CabrilloHeader::*> texts[] = {
      {"--name", &CabrilloHeader::Name},
      {"--arrl-section", &CabrilloHeader::ArrlSection},
      {"--category-operator", &CabrilloHeader::CategoryOperator},
      {"--category-band", &CabrilloHeader::CategoryBand},
      {"--category-power", &CabrilloHeader::CategoryPower},
      {"--category-mode", &CabrilloHeader::CategoryMode},
      {"--club", &CabrilloHeader::Club},
      {"--operators", &CabrilloHeader::Operators},
      {"--location", &CabrilloHeader::Location},
      {"--category-overlay", &CabrilloHeader::CategoryOverlay},
      {"--email", &CabrilloHeader::Email},
      {"--city", &CabrilloHeader::City},
      {"--state-province", &CabrilloHeader::StateProvince},
      {"--postal-code", &CabrilloHeader::PostalCode},
      {"--country", &CabrilloHeader::Country}};
  bool v3 = cli.TakeFlag("--v3");
  bool check_only = cli.TakeFlag("--check");
  std::vector<std::optional<std::string>> given;
  for (const auto& [name, member] : texts)
    given.push_back(cli.TakeOption(name));
  std::vector<std::string> address = cli.TakeRepeatedOption("--address");
  std::vector<std::string> soapbox = cli.TakeRepeatedOption("--soapbox");
  cli.RequireNoMoreArgs("cabrillo");
  Session& session = cli.OpenContestSession();
  // The header the log keeps, with what the command line gives instead.
  CabrilloHeader header = StoredCabrilloHeader(cli.settings().cabrillo);
  for (std::size_t i = 0; i < given.size(); ++i) {
    if (given[i])
      header.*texts[i].second = *given[i];
  }
  if (!address.empty())
    header.Address = address;
  if (!soapbox.empty())
    header.Soapbox = soapbox;
  header.Call = call.value_or(session.StationCfg().Call);
  std::vector<CabrilloProblem> problems =
      CheckCabrilloLog(session, header, v3 ? CabrilloVersion::k3 : CabrilloVersion::k2);
  TellProblems(problems, check_only);
  if (check_only)
    return problems.empty() ? 0 : kProblemsFound;
  // The operator asked for the log: it is written all the same.
  Deliver(session, out,
          v3 ? BuildCabrillo3Log(session, header, ProgramVersion())
             : BuildCabrilloLog(session, header));
  return 0;
}

int RunAll(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  std::optional<std::string> call = cli.TakeOption("--call");
  cli.RequireNoMoreArgs("all");
  Session& session = cli.OpenContestSession();
  ReportHeader header = StoredSummaryHeader(cli.settings().summary);
  header.Call = call.value_or(session.StationCfg().Call);
  Deliver(session, out, BuildAllReport(session, header));
  return 0;
}

int RunSum(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  std::optional<std::string> call = cli.TakeOption("--call");
  std::optional<std::string> class_text = cli.TakeOption("--class");
  std::optional<std::string> period = cli.TakeOption("--period");
  std::vector<std::string> address = cli.TakeRepeatedOption("--address");
  std::vector<std::string> equipment = cli.TakeRepeatedOption("--equipment");
  std::vector<std::string> comments = cli.TakeRepeatedOption("--comments");
  cli.RequireNoMoreArgs("sum");
  Session& session = cli.OpenContestSession();
  ReportHeader header = StoredSummaryHeader(cli.settings().summary);
  header.Class = class_text.value_or(header.Class);
  header.Period = period.value_or(header.Period);
  for (auto [lines, given] : {std::pair{&header.Address, &address},
                              {&header.Equipment, &equipment},
                              {&header.Comments, &comments}}) {
    if (!given->empty())
      *lines = *given;
  }
  header.Call = call.value_or(session.StationCfg().Call);
  header.Operators = ReadOperators(session.fs(), session.PathOf(kOperatorsFileName));
  Deliver(session, out, BuildSummarySheet(session, header, SystemClock().Now().date));
  return 0;
}

}  // namespace mirva
