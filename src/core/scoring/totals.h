#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_state.h"
#include "contest/rules/rules.h"
#include "log/log_store.h"
#include "log/qso_record.h"
#include "scoring/scoring_context.h"

namespace mirva {

/// The running totals of the contest, rebuilt from the log and never stored. Sums are kept in
/// 64 bits: the point fields of a damaged log may hold anything.
struct ContestTotals {
  int64_t TotalPoints = 0;  ///< the three point fields summed over all QSOs
  int64_t TotalMults = 0;   ///< the new-multiplier flags set over all QSOs
  /// QSOs per mode slot and band index of the contest; a QSO whose band or mode is not the
  /// contest's is in no cell.
  std::vector<std::vector<int64_t>> QsoCounts;
};

/// points x multipliers, held at the limits of int64_t where the product would pass them.
int64_t ScoreProduct(int64_t points, int64_t mults);
/// Total points times total multipliers, a total of no multipliers counting as one.
int64_t Score(const ContestTotals& totals);
/// Total points times total multipliers, as a report claims it.
int64_t ClaimedScore(const ContestTotals& totals);

/// "599" for CW, RTTY and DIGI, "59" for SSB, empty for any other mode.
std::string DefaultReport(std::string_view mode);

/// Counts a QSO just appended as the log's last: commits its multipliers, adds its points and
/// flags to the totals and its cell of the QSO table.
void UpdateAfterAppend(ContestState& state, ContestTotals& totals, const ContestRules* rules,
                       const LogStore& log, const TQSOData& record, const NewMults& mults);
/// Zeroes the worked masks and the totals and replays the whole log from the stored points
/// and multiplier marks.
void RebuildTotals(ContestState& state, ContestTotals& totals, const ContestRules* rules,
                   const LogStore& log);
/// Recounts the QSO table from the whole log and writes it into the statistics grid.
void RefreshQsoTable(ContestState& state, ContestTotals& totals, const LogStore& log);

}  // namespace mirva
