// ARI International DX Contest: countries outside Italy, and the Italian provinces for
// stations abroad.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix.starts_with("I"), previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country.starts_with("I"));
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "ARI-DX", {"CW", "SSB", "DIGI"}, HF6(), true, 1);
  setup.MultCaptions = "DXCC and Italy provinces";
  TMultArray& list = setup.MultList1;
  AddCountries(list, ctx.countries, [](const TCountry& c) { return !c.Prefix.starts_with("I"); });
  if (!setup.StationCfg.Country.starts_with("I")) {
    std::string province_key = std::string("I") + kKeyDot;
    for (const TDomestic& entry : ctx.DomesticList)
      AddMult(list, province_key + std::string(Trim(entry.Code)));
  }
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  bool worked_italy = worked.Prefix.starts_with("I");
  if (own.Country.starts_with("I") && worked_italy)
    return {0};
  if (worked.Prefix == own.Country)
    return {0};
  if (worked_italy)
    return {10};
  if (worked.Continent == own.Cont)
    return {1};
  return {3};
}

// Three provinces are sent under codes newer than the ones the list holds.
std::string ProvinceKey(std::string_view rcvd) {
  std::string_view code = Trim(rcvd);
  if (code == "FC")
    return "FO";
  if (code == "PU")
    return "PS";
  if (code == "RM")
    return "ROMA";
  return std::string(code);
}

// Stations abroad count an Italian station by its province.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  const std::string& worked = m.worked.Prefix;
  if (worked.starts_with("I") && !s.StationCfg.Country.starts_with("I"))
    return {{std::string("I") + kKeyDot + ProvinceKey(m.qso.NumberRcvd)}};
  return {{worked}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 7});

constexpr ContestRules kContests[] = {
    {.name = "ARI International DX Contest",
     .define = Define,
     .dupe = DupeRule::kBandMode,
     .points = Points,
     .normalize = NormalizePad3,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope,
     .domestic_list = "ITALY.DOM"},
};

}  // namespace

std::span<const ContestRules> AriContests() {
  return kContests;
}

}  // namespace mirva
