#include <cstdio>

#include "cli.h"
#include "program_version.h"
#include "reports/cabrillo.h"
#include "reports/cabrillo_v3.h"
#include "reports/operators.h"
#include "reports/summary.h"
#include "session/output_file.h"
#include "session/session.h"
#include "system_clock.h"
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
