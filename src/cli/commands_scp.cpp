#include <optional>
#include <string>

#include "cli.h"
#include "reference/call_search.h"
#include "session/check_partial.h"
#include "session/session.h"
#include "system_clock.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

void PrintList(const char* caption, const std::vector<CheckedCall>& calls, std::size_t total) {
  std::string count = std::to_string(total);
  if (total > calls.size())
    count = "first " + std::to_string(calls.size()) + " of " + count;
  PrintLine(std::string(caption) + " (" + count + "):");
  for (const CheckedCall& call : calls)
    PrintLine(call.Dupe ? call.Call + "\tdupe" : call.Worked ? call.Call + "\tworked" : call.Call);
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

int RunScp(CliContext& cli) {
  std::optional<std::string> band = cli.TakeOption("--band");
  std::optional<std::string> mode = cli.TakeOption("--mode");
  cli.RequireNoMoreArgs("scp", 1);
  if (cli.args.size() != 1)
    throw UsageError("scp takes one TEXT");
  std::string text = AsciiUpper(cli.args[0]);
  if (!IsSearchText(text))
    throw UsageError("scp takes a TEXT of " + std::to_string(kMinSearchLength) + " to " +
                     std::to_string(kMaxMasterCallLength) + " letters A-Z, digits and '/', not '" +
                     Cp1251ToUtf8(cli.args[0]) + "'");
  Session& session = cli.OpenSession();
  MasterCallsFile file = LoadMasterCalls(session);
  if (!file.list)
    throw std::runtime_error(file.status);
  if (file.list->skipped_lines > 0)
    session.notifier().ShowMessage(file.status);
  // Dupes are judged on the contest's first band and mode unless others are given.
  if (session.HasContest()) {
    const TContest& contest = session.Contest();
    RequireOneOf(band, contest.Bands, "band");
    RequireOneOf(mode, contest.Modes, "mode");
    if (!band && !contest.Bands.empty())
      band = contest.Bands.front();
    if (!mode && !contest.Modes.empty())
      mode = contest.Modes.front();
  }
  CheckPartialView view = CheckPartial(session, *file.list, text, band.value_or(""),
                                       mode.value_or(""), SystemClock().Now().time);
  PrintList("Partial matches", view.Partial, view.PartialTotal);
  PrintList("Near calls", view.Near, view.NearTotal);
  return 0;
}

}  // namespace mirva
