// SP DX Contest: Polish stations count countries, the others Polish provinces.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// Only Polish stations receive serials; the others receive Polish province codes.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  return s.StationCfg.Country == "SP" ? Pad3(qso.NumberRcvd) : qso.NumberRcvd;
}

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix == "SP", previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country == "SP");
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "SPDX", {"CW", "SSB"}, HF6(), true, 1);
  bool polish = setup.StationCfg.Country == "SP";
  setup.MultCaptions = polish ? "DXCC" : "Polish provinces";
  if (polish)
    AddCountries(setup.MultList1, ctx.countries);
  else
    AddKeys(setup.MultList1, "", kPolishProvinces);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  if (s.StationCfg.Country != "SP")
    return {3};
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.Prefix == "SP")
    return {0};
  return {worked.Continent == "EU" ? 1 : 3};
}

// Polish stations count countries, the others the provinces of the Polish stations they work:
// a French or US station is no province "F" or "K".
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  if (s.StationCfg.Country == "SP")
    return {{m.worked.Prefix}};
  return {{m.worked.Prefix == "SP" ? m.qso.NumberRcvd : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {.name = "SP DX Contest",
     .define = Define,
     .dupe = DupeRule::kBandMode,
     .points = Points,
     .normalize = Normalize,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> SpDxContests() {
  return kContests;
}

}  // namespace mirva
