#include <chrono>
#include <cstdio>

#include "cli.h"
#include "program_version.h"
#include "reports/adif_export.h"

namespace mirva {

int RunAdif(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  bool standard = cli.TakeFlag("--standard");
  cli.RequireNoMoreArgs("adif");
  if (!out)
    throw UsageError("adif needs the file to write: --out FILE");
  auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  AdifExportCount count =
      ExportAdif(cli.OpenSession(), standard ? AdifKind::kStandard : AdifKind::kOwn, *out,
                 ProgramVersion(), now);
  PrintLine("Exported: " + std::to_string(count.exported) + " QSOs");
  if (count.left_out > 0)
    std::fprintf(stderr, "Left out: %zu QSOs without date, time, call, band or mode\n",
                 count.left_out);
  return 0;
}

}  // namespace mirva
