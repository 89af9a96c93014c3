#pragma once

#include <span>

#include "contest/rules/rules.h"

namespace mirva {

// The contests of each family; every family lives in a file of its own beside this one.
std::span<const ContestRules> AnatolianRttyContests();
std::span<const ContestRules> AriContests();
std::span<const ContestRules> ArrlDxContests();
std::span<const ContestRules> Arrl10mContests();
std::span<const ContestRules> ArrlRttyContests();
std::span<const ContestRules> Cq160mContests();
std::span<const ContestRules> CqmContests();
std::span<const ContestRules> CqWpxContests();
std::span<const ContestRules> CqWpxRttyContests();
std::span<const ContestRules> CqWwContests();
std::span<const ContestRules> Darc10mContests();
std::span<const ContestRules> EaRttyContests();
std::span<const ContestRules> GacwContests();
std::span<const ContestRules> HaDxContests();
std::span<const ContestRules> HelvetiaContests();
std::span<const ContestRules> HolylandContests();
std::span<const ContestRules> JidxContests();
std::span<const ContestRules> KingOfSpainContests();
std::span<const ContestRules> RefContests();
std::span<const ContestRules> RussianChampionshipContests();
std::span<const ContestRules> RussianDxContests();
std::span<const ContestRules> SpDxContests();
std::span<const ContestRules> SpDxRttyContests();
std::span<const ContestRules> UbaContests();
std::span<const ContestRules> VoltaRttyContests();
std::span<const ContestRules> YuDxContests();

}  // namespace mirva
