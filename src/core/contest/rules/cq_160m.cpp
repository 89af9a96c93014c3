// CQ WW 160 m DX Contest, CW and SSB: countries, US states and Canadian provinces on top band.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  ContestSetup setup = NewContest(ctx, self.name, cw ? "CQ-160-CW" : "CQ-160-SSB",
                                  {cw ? "CW" : "SSB"}, {"160"}, true, 1);
  setup.MultCaptions = "DXCC and K/VE states";
  TMultArray& list = setup.MultList1;
  AddCountries(list, ctx.countries, IsNotKOrVe);
  AddStatesAndProvinces(list, kCanadianProvincesA);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  if (qso.CountryPrefix == own.Country)
    return {2};
  if (CountryOf(s, qso.CountryPrefix).Continent == own.Cont)
    return {5};
  return {10};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  if (worked == "K" || worked == "VE")
    return {{worked + kKeyDot + m.qso.NumberRcvd}};
  return {{std::string(m.stored_prefix)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .predict = PredictPrevious,
                                  .sent = SentState,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {Named(kFamily, "CQ WW 160m DX contest (SSB)", "SSB"),
                                      Named(kFamily, "CQ WW 160m DX contest (CW)", "CW")};

}  // namespace

std::span<const ContestRules> Cq160mContests() {
  return kContests;
}

}  // namespace mirva
