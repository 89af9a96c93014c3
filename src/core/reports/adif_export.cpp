#include "reports/adif_export.h"

#include <algorithm>

#include "reports/adif.h"
#include "reports/adif_standard.h"
#include "session/output_file.h"
#include "session/session.h"

namespace mirva {

AdifExportCount ExportAdif(Session& session, AdifKind kind, const std::string& path,
                           std::string_view program_version, std::chrono::sys_seconds created) {
  QsoLog log = session.log().QSOLog();
  std::string text;
  if (kind == AdifKind::kStandard) {
    std::string contest = session.HasContest() ? session.Contest().Name : "";
    text = StandardAdifText(
        log, {std::string(program_version), created, contest, session.StationCfg().Call});
  } else {
    text = AdifText(log);
  }
  WriteOutputFile(session, path, text);
  AdifExportCount count;
  count.exported = static_cast<std::size_t>(std::count_if(log.begin(), log.end(), HasAdifFields));
  count.left_out = log.size() - count.exported;
  return count;
}

}  // namespace mirva
