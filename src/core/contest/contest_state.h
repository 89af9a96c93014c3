#pragma once

#include <optional>
#include <string>

#include "contest/contest.h"
#include "contest/mult_list.h"
#include "contest/stat_grid.h"

namespace mirva {

/// What the contest set-up decides: the contest itself, the multiplier lists and their
/// captions, and the statistics grid's headers.
struct ContestState {
  std::optional<TContest> Contest;  ///< absent until the first set-up succeeds
  std::string MultCaptions;         ///< one caption per list, separated by CR LF
  TMultArray MultList1;
  TMultArray MultList2;
  TMultArray MultList3;
  StatGrid QsoStat;
};

}  // namespace mirva
