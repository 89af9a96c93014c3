#pragma once

#include <string>
#include <utility>
#include <vector>

#include "contest/contest.h"
#include "contest/mult_list.h"
#include "reference/station.h"

namespace mirva {

/// What a contest's definition decides, installed by the session as one value: the contest,
/// the multiplier lists with their captions, and the station in effect.
struct ContestSetup {
  TContest Contest;
  std::string MultCaptions;  ///< one caption per list, separated by CR LF
  TMultArray MultList1;
  TMultArray MultList2;
  TMultArray MultList3;
  /// The station in effect for the contest; a definition may complete it from its own lists.
  TStationCFG StationCfg;
  /// Countries the contest names its own way: prefix and name.
  std::vector<std::pair<std::string, std::string>> CountryNames;
};

}  // namespace mirva
