#include "scoring/totals.h"

#include <algorithm>
#include <array>
#include <bit>

#include "reference/callsign.h"
#include "scoring/multipliers.h"

namespace mirva {

namespace {

/// Adds the QSO's three point fields to the total as 32-bit integers that wrap around: only
/// a damaged record holds points that large, and it spoils the total, not the program.
void AddPointsAndFlags(ContestTotals& totals, std::array<int32_t, 3> points, uint8_t flags) {
  for (int32_t p : points)
    totals.TotalPoints =
        static_cast<int32_t>(static_cast<uint32_t>(totals.TotalPoints) + static_cast<uint32_t>(p));
  totals.TotalMults += std::popcount(static_cast<unsigned>(flags & 7u));
}

/// Adds the QSO to its cell of the QSO table; false when the table does not fit the contest.
bool CountQso(const ContestState& state, ContestTotals& totals, std::string_view band_name,
              std::string_view mode_name) {
  const TContest& contest = *state.Contest;
  std::vector<std::vector<int32_t>>& counts = totals.QsoCounts;
  if (counts.size() != contest.Modes.size() ||
      (!counts.empty() && counts[0].size() != contest.Bands.size()))
    return false;
  int band = BandIndex(contest.Bands, band_name);
  int mode = ModeIndex(contest.Modes, mode_name);
  if (band >= 0 && mode >= 0)
    ++counts[mode][band];
  return true;
}

/// Writes the QSO table and the log's size into the statistics grid, as far as it has room.
void WriteQsoTable(ContestState& state, const ContestTotals& totals, std::size_t log_size) {
  const std::vector<std::vector<int32_t>>& counts = totals.QsoCounts;
  for (std::size_t m = 0; m < counts.size() && m + 1 < StatGrid::kRows; ++m) {
    for (std::size_t b = 0; b < counts[m].size() && b + 1 < StatGrid::kColumns; ++b)
      state.QsoStat.cells[b + 1][m + 1] = std::to_string(counts[m][b]);
  }
  state.QsoStat.cells[0][0] = std::to_string(log_size);
}

/// Zeroes the QSO table; false (the table emptied) without a contest.
bool ResetQsoTable(const ContestState& state, ContestTotals& totals) {
  if (!state.Contest) {
    totals.QsoCounts.clear();
    return false;
  }
  const TContest& contest = *state.Contest;
  totals.QsoCounts.assign(contest.Modes.size(), std::vector<int32_t>(contest.Bands.size(), 0));
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

void UpdateAfterAppend(ContestState& state, ContestTotals& totals, const ContestRules* rules,
                       const LogStore& log, const TQSOData& record, const NewMults& mults) {
  CommitMultipliers(state, rules, record, mults);
  AddPointsAndFlags(totals, {record.Points, record.Points2, record.Points3}, mults.flags);
  if (!state.Contest)
    return;
  if (CountQso(state, totals, record.Band, record.Mode))
    WriteQsoTable(state, totals, log.QSOLog().size());
  else
    RefreshQsoTable(state, totals, log);
}

void RebuildTotals(ContestState& state, ContestTotals& totals, const ContestRules* rules,
                   const LogStore& log) {
  ClearMultipliers(state);
  totals.TotalPoints = 0;
  totals.TotalMults = 0;
  bool table = ResetQsoTable(state, totals);
  // One pass over the records: the marks, the points and the table together.
  QsoLog qsos = log.QSOLog();
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    QsoRecordView record = qsos.Record(i);
    NewMults mults = ReplayMarks(state, record);
    CommitMultipliers(state, rules, record, mults);
    AddPointsAndFlags(totals, {record.Points(), record.Points2(), record.Points3()}, mults.flags);
    if (table)
      CountQso(state, totals, record.Band(), record.Mode());
  }
  if (table)
    WriteQsoTable(state, totals, qsos.size());
}

void RefreshQsoTable(ContestState& state, ContestTotals& totals, const LogStore& log) {
  if (!ResetQsoTable(state, totals))
    return;
  QsoLog qsos = log.QSOLog();
  for (std::size_t i = 0; i < qsos.size(); ++i)
    CountQso(state, totals, qsos.Record(i).Band(), qsos.Record(i).Mode());
  WriteQsoTable(state, totals, qsos.size());
}

}  // namespace mirva
