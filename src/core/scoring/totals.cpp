#include "scoring/totals.h"

#include <algorithm>
#include <bit>

#include "reference/callsign.h"
#include "scoring/multipliers.h"
#include "session/session.h"

namespace mirva {

namespace {

void AddPointsAndFlags(ContestTotals& totals, const TQSOData& record, uint8_t flags) {
  totals.TotalPoints += record.Points + record.Points2 + record.Points3;
  totals.TotalMults += std::popcount(static_cast<unsigned>(flags & 7u));
}

/// Adds the QSO to its cell of the QSO table and rewrites that cell of the grid; false when
/// the table does not fit the contest.
bool CountQso(Session& session, std::string_view band_name, std::string_view mode_name) {
  const TContest& contest = session.Contest();
  std::vector<std::vector<int32_t>>& counts = session.totals.QsoCounts;
  if (counts.size() != contest.Modes.size() ||
      (!counts.empty() && counts[0].size() != contest.Bands.size()))
    return false;
  int band = BandIndex(contest.Bands, band_name);
  int mode = ModeIndex(contest.Modes, mode_name);
  if (band >= 0 && mode >= 0) {
    int32_t n = ++counts[mode][band];
    if (band + 1 < StatGrid::kColumns && mode + 1 < StatGrid::kRows)
      session.contest.QsoStat.cells[band + 1][mode + 1] = std::to_string(n);
  }
  session.contest.QsoStat.cells[0][0] = std::to_string(session.log.QSOLog().size());
  return true;
}

}  // namespace

int64_t Score(const ContestTotals& totals) {
  return int64_t{totals.TotalPoints} * std::max(totals.TotalMults, 1);
}

std::string DefaultReport(std::string_view mode) {
  if (mode == "CW" || mode == "RTTY" || mode == "DIGI")
    return "599";
  if (mode == "SSB")
    return "59";
  return "";
}

void UpdateAfterAppend(Session& session, const TQSOData& record, uint8_t flags) {
  CommitMultipliers(session, record, flags);
  AddPointsAndFlags(session.totals, record, flags);
  if (session.HasContest() && !CountQso(session, record.Band, record.Mode))
    RefreshQsoTable(session);
}

void RebuildTotals(Session& session) {
  ClearMultipliers(session.contest);
  session.totals.TotalPoints = 0;
  session.totals.TotalMults = 0;
  for (const TQSOData& record : session.log.QSOLog()) {
    uint8_t flags = ReplayMarks(session, record);
    CommitMultipliers(session, record, flags);
    AddPointsAndFlags(session.totals, record, flags);
  }
  RefreshQsoTable(session);
}

void RefreshQsoTable(Session& session) {
  if (!session.HasContest()) {
    session.totals.QsoCounts.clear();
    return;
  }
  const TContest& contest = session.Contest();
  session.totals.QsoCounts.assign(contest.Modes.size(),
                                  std::vector<int32_t>(contest.Bands.size(), 0));
  StatGrid& grid = session.contest.QsoStat;
  for (std::size_t m = 0; m < contest.Modes.size() && m + 1 < StatGrid::kRows; ++m) {
    for (std::size_t b = 0; b < contest.Bands.size() && b + 1 < StatGrid::kColumns; ++b)
      grid.cells[b + 1][m + 1] = "0";
  }
  QsoLog log = session.log.QSOLog();
  for (std::size_t i = 0; i < log.size(); ++i)
    CountQso(session, log.Record(i).Band(), log.Record(i).Mode());
  grid.cells[0][0] = std::to_string(session.log.QSOLog().size());
}

}  // namespace mirva
