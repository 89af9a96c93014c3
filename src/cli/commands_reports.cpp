#include <cstdio>

#include "cli.h"
#include "reports/cabrillo.h"
#include "reports/cabrillo_v3.h"
#include "reports/operators.h"
#include "reports/summary.h"
#include "session/output_file.h"
#include "session/session.h"
#include "system_clock.h"

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
  CabrilloHeader header;
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
  for (const auto& [name, member] : texts)
    header.*member = cli.TakeOption(name).value_or("");
  header.Address = cli.TakeRepeatedOption("--address");
  header.Soapbox = cli.TakeRepeatedOption("--soapbox");
  cli.RequireNoMoreArgs("cabrillo");
  Session& session = cli.OpenContestSession();
  header.Call = call.value_or(session.StationCfg().Call);
  Deliver(
      session, out,
      v3 ? BuildCabrillo3Log(session, header, MIRVA_VERSION) : BuildCabrilloLog(session, header));
  return 0;
}

int RunAll(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  std::optional<std::string> call = cli.TakeOption("--call");
  cli.RequireNoMoreArgs("all");
  Session& session = cli.OpenContestSession();
  ReportHeader header;
  header.Call = call.value_or(session.StationCfg().Call);
  Deliver(session, out, BuildAllReport(session, header));
  return 0;
}

int RunSum(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  std::optional<std::string> call = cli.TakeOption("--call");
  ReportHeader header;
  header.Class = cli.TakeOption("--class").value_or("");
  header.Period = cli.TakeOption("--period").value_or("");
  header.Address = cli.TakeRepeatedOption("--address");
  header.Equipment = cli.TakeRepeatedOption("--equipment");
  header.Comments = cli.TakeRepeatedOption("--comments");
  cli.RequireNoMoreArgs("sum");
  Session& session = cli.OpenContestSession();
  header.Call = call.value_or(session.StationCfg().Call);
  header.Operators = ReadOperators(session.fs(), session.PathOf(kOperatorsFileName));
  Deliver(session, out, BuildSummarySheet(session, header, SystemClock().Now().date));
  return 0;
}

}  // namespace mirva
