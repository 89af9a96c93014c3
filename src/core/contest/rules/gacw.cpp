// GACW CW DX Contest: countries and CQ zones per band, with the Falklands under their
// Argentine name.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Normalize(const TQSOData& qso, const RuleContext&) {
  return PadTo(qso.NumberRcvd, 2);
}

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  if (!full || Trim(call).empty())
    return {};
  std::string earlier = PreviousExchange(previous);
  return earlier.empty() ? CountryOf(s, call).CQZone : earlier;
}

std::string Sent(const RuleContext& s) {
  return s.StationCfg.CQ;
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "GACW", {"CW"}, HF6(), true, 2);
  ListCountriesAndCqZones(setup, ctx.countries);
  // Every lookup shows this name for VP8 until the next contest set-up reloads the country file.
  setup.CountryNames.emplace_back("VP8", "Islas Malvinas (Falkland Island)");
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  if (qso.CountryPrefix == own.Country)
    return {0};
  std::string continent = CountryOf(s, qso.CountryPrefix).Continent;
  if (continent == own.Cont)
    return {1};
  return {continent == "SA" ? 5 : 3};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  return {{std::string(m.stored_prefix)}, {ZoneKey(m)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {.name = "GACW CW DX Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = Normalize,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> GacwContests() {
  return kContests;
}

}  // namespace mirva
