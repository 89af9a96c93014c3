// YU DX Contest: ITU zones, with points by zone and continent.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "error.h"
#include "reference/callsign.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Predict(std::string_view call, bool full, std::span<const TQSOData>,
                    const RuleContext& s) {
  return full ? CountryOf(s, call).ITUZone : std::string();
}

std::string Sent(const RuleContext& s) {
  return s.StationCfg.ITU;
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "YUDX", {"CW", "SSB"}, HF6(), true, 2);
  setup.MultCaptions = "ITU zones";
  AddNumbers(setup.MultList1, 1, 75);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.ITUZone == s.StationCfg.ITU)
    return {1};
  if (worked.Continent == s.StationCfg.Cont)
    return {3};
  return {5};
}

// Yugoslav prefixes are collected as they are worked.
MultKeys Mults(const MultQso& m, const RuleContext&) {
  bool yu = m.worked.Prefix == "YU";
  return {{m.worked.ITUZone}, {yu ? WpxPrefix(m.qso.Call) : std::string(), true}};
}

// Every station sends its ITU zone, but the zone that counts is the one of the callsign's
// country, so only its form tells a mistyped exchange.
std::string CheckExchange(const TQSOData& qso, const RuleContext&) {
  std::string_view zone = Trim(qso.NumberRcvd);
  if (zone.empty() || (IsNumeric(zone) && StrToInt(zone) >= 1 && StrToInt(zone) <= 90))
    return {};
  return ShortQuote(zone) + " is no ITU zone (1 to 90), the exchange of this contest";
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {.name = "YU DX Contest",
     .define = Define,
     .dupe = DupeRule::kBandMode,
     .points = Points,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .check_exchange = CheckExchange,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> YuDxContests() {
  return kContests;
}

}  // namespace mirva
