#include "cli.h"
#include "log/date_value.h"
#include "session/session.h"

namespace mirva {

int RunList(CliContext& cli) {
  Session& session = cli.OpenSession();
  std::size_t number = 0;
  for (const TQSOData& q : session.log.QSOLog()) {
    PrintLine(Join({std::to_string(++number), FormatIsoDate(q.QSODate), q.QSOTime, q.Call, q.Band,
                    q.Mode, q.RprtSent, q.NumberSent, q.RprtRcvd, q.NumberRcvd,
                    std::to_string(q.Points), std::to_string(q.Points2), std::to_string(q.Points3),
                    q.MultsText, q.CountryPrefix, q.Note},
                   "\t"));
  }
  return 0;
}

}  // namespace mirva
