#include <string>

#include "cli.h"
#include "session/history_export.h"
#include "session/output_file.h"
#include "session/session.h"

namespace mirva {

int RunHistory(CliContext& cli) {
  cli.RequireNoMoreArgs("history", 2);
  if (cli.args.size() != 2 || cli.args[0] != "export")
    throw UsageError("history takes: export FILE");
  Session& session = cli.OpenContestSession();
  HistoryExport history = ExportCallHistory(session);
  if (history.column.empty()) {
    throw UsageError("the received exchange of " + session.Contest().Name +
                     " is a serial number, which no call history tells; nothing is written");
  }
  WriteOutputFile(session, cli.PathArg(1), history.text);
  PrintLine("Exported: " + std::to_string(history.calls) + " calls in column " + history.column);
  return 0;
}

}  // namespace mirva
