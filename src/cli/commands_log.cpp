#include "cli.h"
#include "session/session.h"

namespace mirva {

int RunList(CliContext& cli) {
  Session& session = cli.OpenSession();
  std::size_t number = 0;
  for (const TQSOData& q : session.log.QSOLog())
    PrintLine(QsoLine(++number, q));
  return 0;
}

}  // namespace mirva
