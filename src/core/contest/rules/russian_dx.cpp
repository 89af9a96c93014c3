// Russian DX Contest: countries and Russian oblasts per band and mode.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "reference/callsign.h"

namespace mirva {

namespace {

// A Russian station never worked is proposed the oblast its call district tells.
std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  if (!full || !CountryOf(s, call).Prefix.starts_with("UA"))
    return {};
  std::string earlier = PreviousExchange(previous);
  return earlier.empty() ? RegionByCall(call, s.DomesticList) : earlier;
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country.starts_with("UA"));
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "RDXC", {"CW", "SSB"}, HF6(), true, 2);
  setup.MultCaptions = "DXCC\r\nRussian oblasts";
  AddCountries(setup.MultList1, ctx.countries);
  AddKeys(setup.MultList2, "", kRussianOblasts);
  // The call-district table that tells a Russian callsign's oblast.
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  bool same_continent = worked.Continent == own.Cont;
  bool worked_russia = worked.Prefix.starts_with("UA");
  if (own.Country.starts_with("UA")) {
    if (worked_russia)
      return {same_continent ? 2 : 5};
    return {same_continent ? 3 : 5};
  }
  if (worked_russia)
    return {10};
  if (worked.Prefix == own.Country)
    return {2};
  return {same_continent ? 3 : 5};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {worked.starts_with("UA") ? m.qso.NumberRcvd : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {.name = "Russian DX contest",
     .define = Define,
     .dupe = DupeRule::kBandMode,
     .points = Points,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope,
     .domestic_list = "RUS.DOM"},
};

}  // namespace

std::span<const ContestRules> RussianDxContests() {
  return kContests;
}

}  // namespace mirva
