// CQ World Wide DX Contest, CW and SSB weekends: countries and CQ zones per band.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

std::string Normalize(const TQSOData& qso, const RuleContext&) {
  return PadTo(qso.NumberRcvd, 2);
}

// While the callsign is typed only its country's zone is proposed; once it is complete, what
// the station sent before wins.
std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  std::string zone = CountryOf(s, call).CQZone;
  if (!full)
    return zone;
  std::string earlier = PreviousExchange(previous);
  return earlier.empty() ? zone : earlier;
}

std::string Sent(const RuleContext& s) {
  return s.StationCfg.CQ;
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  ContestSetup setup = NewContest(ctx, self.name, cw ? "CQ-WW-CW" : "CQ-WW-SSB",
                                  {cw ? "CW" : "SSB"}, HF6(), true, 2);
  ListCountriesAndCqZones(setup, ctx.countries);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  if (qso.CountryPrefix == own.Country)
    return {0};
  if (CountryOf(s, qso.CountryPrefix).Continent == own.Cont)
    return {own.Cont == "NA" ? 2 : 1};
  return {3};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  return {{std::string(m.stored_prefix)}, {ZoneKey(m)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .normalize = Normalize,
                                  .predict = Predict,
                                  .sent = Sent,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {Named(kFamily, "CQ WW DX Contest (SSB)", "SSB"),
                                      Named(kFamily, "CQ WW DX Contest (CW)", "CW")};

}  // namespace

std::span<const ContestRules> CqWwContests() {
  return kContests;
}

}  // namespace mirva
