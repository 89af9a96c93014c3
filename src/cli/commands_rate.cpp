// rate: QSOs per clock hour and band, and the rate figures at a given minute.
#include "cli.h"
#include "scoring/rate.h"
#include "session/clock.h"
#include "session/session.h"

namespace mirva {

namespace {

void PrintTable(const RateTable& table) {
  std::vector<std::string> header = {"Hour (UTC)"};
  header.insert(header.end(), table.bands.begin(), table.bands.end());
  header.push_back("Total");
  PrintLine(Join(header, "\t"));
  for (const RateHour& hour : table.hours) {
    std::vector<std::string> row = {FormatMinute(hour.start)};
    for (int64_t count : hour.counts)
      row.push_back(std::to_string(count));
    row.push_back(std::to_string(hour.total));
    PrintLine(Join(row, "\t"));
  }
}

void PrintFigures(const RateFigures& figures, Minute now) {
  PrintLine("Now: " + FormatMinute(now));
  PrintLine("Last 10 min: " + std::to_string(figures.last10));
  PrintLine("Last 60 min: " + std::to_string(figures.last60));
  std::string best = "Best 60 min: " + std::to_string(figures.best60.qsos);
  if (figures.best60.start) {
    best += " (" + FormatMinute(*figures.best60.start) + " to " +
            FormatMinute(*figures.best60.start + 59).substr(11) + ")";
  }
  PrintLine(best);
}

}  // namespace

int RunRate(CliContext& cli) {
  UtcTime at = TimeOf(cli.TakeOption("--at"));
  cli.RequireNoMoreArgs("rate");
  Session& session = cli.OpenSession();
  static const std::vector<std::string> kNoBands;
  QsoRate rate;
  rate.Rebuild(session.log().QSOLog(), session.HasContest() ? session.Contest().Bands : kNoBands);
  PrintTable(rate.Table());
  std::optional<Minute> now = MinuteOf(at.date, at.time);
  if (!now)
    throw std::runtime_error("The clock gives no valid UTC time");
  PrintFigures(rate.Figures(*now), *now);
  return 0;
}

}  // namespace mirva
