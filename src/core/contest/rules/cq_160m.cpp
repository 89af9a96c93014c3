// CQ WW 160 m DX Contest, CW and SSB: countries, US states and Canadian provinces on top band.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// Sets no caption: the multipliers window keeps the one of the contest set up before.
bool Define(Session& s, const ContestRules& self) {
  bool cw = self.variant == "CW";
  NewContest(s, self.name, cw ? "CQ-160-CW" : "CQ-160-SSB", {cw ? "CW" : "SSB"}, {"160"}, true, 1);
  TMultArray& list = s.contest.MultList1;
  list.clear();
  AddCountries(list, s.countries, IsNotKOrVe);
  AddStatesAndProvinces(list, kCanadianProvincesA);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  const TStationCFG& own = s.StationCfg;
  if (qso.CountryPrefix == own.Country)
    return {2};
  if (CountryOf(s, qso.CountryPrefix).Continent == own.Cont)
    return {5};
  return {10};
}

MultKeys Mults(const MultQso& m, const Session&) {
  const std::string& worked = m.worked.Prefix;
  if (worked == "K" || worked == "VE")
    return {{worked + kKeyDot + m.qso.NumberRcvd}};
  return {{std::string(m.stored_prefix)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"CQ WW 160m DX contest (SSB)", "SSB", Define, DupeRule::kBand, Points, nullptr,
     PredictPrevious, SentState, Mults, kScope},
    {"CQ WW 160m DX contest (CW)", "CW", Define, DupeRule::kBand, Points, nullptr, PredictPrevious,
     SentState, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> Cq160mContests() {
  return kContests;
}

}  // namespace mirva
