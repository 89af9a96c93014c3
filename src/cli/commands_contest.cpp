#include "cli.h"
#include "log/date_value.h"
#include "session/session.h"
#include "system_clock.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Keys(const TMultArray& list) {
  std::string keys;
  for (const TMultEntry& entry : list)
    keys += (keys.empty() ? "" : " ") + entry.Name;
  return keys;
}

void PrintTotals(const Session& session) {
  const ContestTotals& totals = session.totals();
  PrintLine("QSOs: " + std::to_string(session.log().QSOLog().size()));
  PrintLine("Points: " + std::to_string(totals.TotalPoints));
  PrintLine("Multipliers: " + std::to_string(totals.TotalMults));
  PrintLine("Score: " + std::to_string(Score(totals)));
  const TContest& contest = session.Contest();
  PrintLine("\t" + Join(contest.Bands, "\t"));
  for (std::size_t m = 0; m < contest.Modes.size() && m < totals.QsoCounts.size(); ++m) {
    std::vector<std::string> row = {contest.Modes[m]};
    for (int64_t count : totals.QsoCounts[m])
      row.push_back(std::to_string(count));
    PrintLine(Join(row, "\t"));
  }
}

}  // namespace

int RunContests(CliContext& cli) {
  cli.RequireNoMoreArgs("contests");
  Session& session = cli.OpenSession();
  session.LoadCatalogue();
  for (std::size_t i = 0; i < session.ContestCatalogue().size(); ++i) {
    const std::string& name = session.ContestCatalogue()[i];
    CatalogueLine checked = CheckCatalogueLine(name);
    PrintLine(Join(
        {std::to_string(i), name, checked.rules ? "known" : "unknown: " + checked.problem}, "\t"));
  }
  return 0;
}

int RunContest(CliContext& cli) {
  cli.RequireNoMoreArgs("contest");
  Session& session = cli.OpenContestSession();
  const TContest& contest = session.Contest();
  PrintLine("Name: " + contest.Name);
  PrintLine("Cabrillo: " + contest.CabrilloName);
  PrintLine("Bands: " + Join(contest.Bands, " "));
  PrintLine("Modes: " + Join(contest.Modes, " "));
  PrintLine(std::string("UseWAE: ") + (contest.UseWAE ? "yes" : "no"));
  PrintLine("MultCount: " + std::to_string(contest.MultCount));
  std::vector<std::string> captions;
  for (std::string_view caption : SplitLines(session.contest().MultCaptions))
    captions.emplace_back(caption);
  PrintLine("Captions: " + Join(captions, " | "));
  PrintLine("List1: " + Keys(session.contest().MultList1));
  PrintLine("List2: " + Keys(session.contest().MultList2));
  PrintLine("List3: " + Keys(session.contest().MultList3));
  return 0;
}

int RunPoints(CliContext& cli) {
  std::optional<std::string> time = cli.TakeOption("--time");
  cli.RequireNoMoreArgs("points", 4);
  if (cli.args.size() < 3)
    throw UsageError("points takes CALL BAND MODE [RCVD] [--time HH:MM]");
  std::optional<std::string> hhmm = time ? ParseTimeOfDay(*time) : std::nullopt;
  if (time && !hhmm)
    throw UsageError("--time takes HH:MM, not '" + Cp1251ToUtf8(*time) + "'");
  Session& session = cli.OpenContestSession(Needs::kScoring);
  RequireOneOf(cli.args[1], session.Contest().Bands, "band");
  RequireOneOf(cli.args[2], session.Contest().Modes, "mode");
  SystemClock clock;
  UtcTime now = clock.Now();
  TQSOData q;
  q.QSODate = now.date;
  q.QSOTime = hhmm ? *hhmm : now.time;
  q.Call = cli.args[0];
  q.Band = cli.args[1];
  q.Mode = cli.args[2];
  if (cli.args.size() == 4)
    q.NumberRcvd = cli.args[3];
  ScoredQso scored = ScoreQso(session.Scoring(), q);
  const TQSOData& p = scored.record;
  if (!scored.problem.empty())
    session.notifier().ShowError(std::string(scored.problem));
  PrintLine(std::to_string(p.Points) + " " + std::to_string(p.Points2) + " " +
            std::to_string(p.Points3));
  PrintLine(scored.dupe ? "dupe" : "new");
  return 0;
}

int RunTotals(CliContext& cli) {
  cli.RequireNoMoreArgs("totals");
  PrintTotals(cli.OpenContestSession());
  return 0;
}

int RunNextSent(CliContext& cli) {
  cli.RequireNoMoreArgs("next-sent");
  PrintLine(cli.OpenContestSession().NextSentExchange());
  return 0;
}

int RunRescore(CliContext& cli) {
  cli.RequireNoMoreArgs("rescore");
  Session& session = cli.OpenWriterContestSession(Needs::kScoring);
  PrintLine("Update score");
  bool rescored = session.RescoreLog();
  PrintTotals(session);
  return rescored ? 0 : 1;
}

}  // namespace mirva
