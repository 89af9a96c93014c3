#include "cli.h"
#include "log/date_value.h"
#include "posix_file_system.h"
#include "session/session.h"
#include "terminal_notifier.h"

namespace mirva {

int RunList(CliContext& cli) {
  PosixFileSystem fs;
  TerminalNotifier notifier;
  Session session(fs, notifier, cli.dir);
  session.Start();
  std::size_t number = 0;
  for (const TQSOData& q : session.log.QSOLog()) {
    PrintLine(JoinTabs({std::to_string(++number), FormatIsoDate(q.QSODate), q.QSOTime, q.Call,
                        q.Band, q.Mode, q.RprtSent, q.NumberSent, q.RprtRcvd, q.NumberRcvd,
                        std::to_string(q.Points), std::to_string(q.Points2),
                        std::to_string(q.Points3), q.MultsText, q.CountryPrefix, q.Note}));
  }
  return 0;
}

}  // namespace mirva
