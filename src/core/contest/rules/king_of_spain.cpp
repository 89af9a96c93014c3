// King of Spain Contest, CW and SSB: Spanish provinces for everyone, and the other countries
// for Spanish stations.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// Spanish stations send their province, the others a serial.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  if (CountryOf(s, qso.Call).Prefix.starts_with("EA"))
    return qso.NumberRcvd;
  return Pad3(qso.NumberRcvd);
}

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix.starts_with("EA"), previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country.starts_with("EA"));
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  bool spanish = ctx.StationCfg.Country.starts_with("EA");
  ContestSetup setup = NewContest(ctx, self.name, "King of Spain C", {cw ? "CW" : "SSB"}, HF6(),
                                  true, spanish ? 2 : 1);
  if (spanish) {
    // The captions follow the lists: the countries are list 1, the provinces list 2.
    setup.MultCaptions = "DXCC\r\nSpain provinces";
    ListCountriesAndDomesticCodes(setup, ctx,
                                  [](const TCountry& c) { return !c.Prefix.starts_with("EA"); });
  } else {
    setup.MultCaptions = "Spain provinces";
    ListDomesticCodes(setup, ctx.DomesticList);
  }
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  if (s.StationCfg.Country.starts_with("EA"))
    return {1};
  return {CountryOf(s, qso.CountryPrefix).Prefix.starts_with("EA") ? 1 : 0};
}

// Spanish stations count the countries and the provinces of the Spanish stations they work;
// the others count provinces only.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  if (!s.StationCfg.Country.starts_with("EA"))
    return {{m.qso.NumberRcvd}};
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {worked.starts_with("EA") ? m.qso.NumberRcvd : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .normalize = Normalize,
                                  .predict = Predict,
                                  .sent = Sent,
                                  .mult_keys = Mults,
                                  .scope = kScope,
                                  .domestic_list = "Spain.DOM"};

constexpr ContestRules kContests[] = {Named(kFamily, "King of Spain Contest (SSB)", "SSB"),
                                      Named(kFamily, "King of Spain Contest (CW)", "CW")};

}  // namespace

std::span<const ContestRules> KingOfSpainContests() {
  return kContests;
}

}  // namespace mirva
