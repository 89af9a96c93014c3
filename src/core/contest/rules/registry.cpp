#include <vector>

#include "contest/rules/families.h"
#include "contest/rules/rules.h"

namespace mirva {

namespace {

const std::vector<const ContestRules*>& Registry() {
  static const std::vector<const ContestRules*> all = [] {
    std::vector<const ContestRules*> rules;
    for (auto family : {
             CqWwContests,          RussianChampionshipContests,
             Arrl10mContests,       ArrlRttyContests,
             JidxContests,          Darc10mContests,
             HaDxContests,          Cq160mContests,
             CqWpxRttyContests,     ArrlDxContests,
             RefContests,           UbaContests,
             RussianDxContests,     CqWpxContests,
             SpDxContests,          EaRttyContests,
             GacwContests,          HolylandContests,
             YuDxContests,          SpDxRttyContests,
             HelvetiaContests,      AriContests,
             CqmContests,           VoltaRttyContests,
             AnatolianRttyContests, KingOfSpainContests,
         }) {
      for (const ContestRules& r : family())
        rules.push_back(&r);
    }
    return rules;
  }();
  return all;
}

}  // namespace

const ContestRules* FindContestRules(std::string_view name) {
  for (const ContestRules* rules : Registry()) {
    if (rules->name == name)
      return rules;
  }
  return nullptr;
}

std::span<const ContestRules* const> AllContestRules() {
  return Registry();
}

}  // namespace mirva
