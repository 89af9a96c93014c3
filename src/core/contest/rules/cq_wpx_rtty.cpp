// CQ WW RTTY WPX Contest: prefixes are the multipliers, collected as they are worked; 80 and
// 40 m score double.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "reference/callsign.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "CQ-WPX-RTTY", {"RTTY"}, HF5(), true, 1);
  setup.MultCaptions = "Word prefixes";
  return setup;
}

// A maritime mobile scores as a station of the own continent.
PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  int32_t factor = qso.Band == "80" || qso.Band == "40" ? 2 : 1;
  if (qso.CountryPrefix == own.Country)
    return {factor};
  if (qso.Call.find("/MM") != std::string::npos)
    return {2 * factor};
  if (CountryOf(s, qso.CountryPrefix).Continent == own.Cont)
    return {2 * factor};
  return {3 * factor};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  return {{WpxPrefix(m.qso.Call), true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.once = true});

constexpr ContestRules kContests[] = {
    {.name = "CQ WW RTTY WPX Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .sent = SentSerial,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> CqWpxRttyContests() {
  return kContests;
}

}  // namespace mirva
