// SP DX RTTY Contest: countries, continents and Polish provinces.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix == "SP", previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country == "SP");
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "SPDX RTTY", {"RTTY"}, HF5(), true, 3);
  setup.MultCaptions = "DXCC\r\nContinents\r\nPolish provinces";
  AddCountries(setup.MultList1, ctx.countries);
  AddKeys(setup.MultList2, "", kContinents);
  AddKeys(setup.MultList3, "", kPolishProvinces);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  return {ByDistance(CountryOf(s, qso.CountryPrefix), s, 2, 5, 10)};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const TCountry& worked = m.worked;
  return {{worked.Prefix},
          {worked.Continent},
          {worked.Prefix == "SP" ? m.qso.NumberRcvd : std::string()}};
}

// A continent counts once in the whole contest, countries and provinces once per band.
constexpr std::array<MultScope, 3> kScope = {MultScope{.slots = 1}, MultScope{.once = true},
                                             MultScope{.slots = 1}};

constexpr ContestRules kContests[] = {
    {.name = "SP DX RTTY Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = NormalizePad3,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> SpDxRttyContests() {
  return kContests;
}

}  // namespace mirva
