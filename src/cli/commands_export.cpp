#include <algorithm>
#include <chrono>
#include <cstdio>

#include "cli.h"
#include "reports/adif.h"
#include "reports/adif_standard.h"
#include "session/output_file.h"
#include "session/session.h"

namespace mirva {

int RunAdif(CliContext& cli) {
  std::optional<std::string> out = cli.TakePathOption("--out");
  bool standard = cli.TakeFlag("--standard");
  cli.RequireNoMoreArgs("adif");
  if (!out)
    throw UsageError("adif needs the file to write: --out FILE");
  Session& session = cli.OpenSession();
  QsoLog log = session.log().QSOLog();
  std::string text;
  if (standard) {
    auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    std::string contest = session.HasContest() ? session.Contest().Name : "";
    text = StandardAdifText(log, {MIRVA_VERSION, now, contest, session.StationCfg().Call});
  } else {
    text = AdifText(log);
  }
  WriteOutputFile(session, *out, text);
  std::size_t exported =
      static_cast<std::size_t>(std::count_if(log.begin(), log.end(), HasAdifFields));
  PrintLine("Exported: " + std::to_string(exported) + " QSOs");
  if (exported < log.size())
    std::fprintf(stderr, "Left out: %zu QSOs without date, time, call, band or mode\n",
                 log.size() - exported);
  return 0;
}

}  // namespace mirva
