#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli.h"
#include "error.h"
#include "log/log_store.h"
#include "reports/adif.h"
#include "session/session.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

/// Refuses to write a report over the log itself, which would lose every QSO.
void RequireNotTheLog(const Session& session, const std::string& path) {
  std::error_code ec;
  if (std::filesystem::equivalent(path, session.PathOf(kLogFileName), ec))
    throw std::runtime_error("Will not write over the log " + Utf8ToCp1251(path));
}

}  // namespace

int RunAdif(CliContext& cli) {
  std::optional<std::string> out = cli.TakeOption("--out");
  cli.RequireNoMoreArgs("adif");
  if (!out)
    throw UsageError("adif needs the file to write: --out FILE");
  Session& session = cli.OpenSession();
  // The file is named in UTF-8 as the terminal typed it.
  std::string path = Cp1251ToUtf8(*out);
  RequireNotTheLog(session, path);
  const TQSODataArr& log = session.log.QSOLog();
  try {
    ExportAdif(session.fs(), path, log);
  } catch (const IoError& e) {
    // Its message names the file in UTF-8; messages are printed from Windows-1251.
    throw IoError(Utf8ToCp1251(e.what()));
  }
  std::size_t exported =
      static_cast<std::size_t>(std::count_if(log.begin(), log.end(), HasAdifFields));
  PrintLine("Exported: " + std::to_string(exported) + " QSOs");
  if (exported < log.size())
    std::fprintf(stderr, "Left out: %zu QSOs without date, time, call, band or mode\n",
                 log.size() - exported);
  return 0;
}

}  // namespace mirva
