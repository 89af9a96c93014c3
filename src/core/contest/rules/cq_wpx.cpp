// CQ WW WPX Contest, CW and SSB: prefixes are the multipliers, collected as they are worked;
// the low bands score double.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "reference/callsign.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool ssb = self.variant == "SSB";
  ContestSetup setup = NewContest(ctx, self.name, ssb ? "CQ-WPX-SSB" : "CQ-WPX-CW",
                                  {ssb ? "SSB" : "CW"}, HF6(), true, 1);
  setup.MultCaptions = "Word prefixes";
  return setup;
}

// The worked country comes from the callsign itself, not from the prefix stored with the QSO.
PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  TCountry worked = CountryOf(s, qso.Call);
  int32_t factor = IsLowBand(qso.Band) ? 2 : 1;
  if (worked.Prefix == own.Country)
    return {1};
  if (worked.Continent == own.Cont)
    return {(own.Cont == "NA" ? 2 : 1) * factor};
  return {3 * factor};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  return {{WpxPrefix(m.qso.Call), true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.once = true});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .normalize = NormalizePad3,
                                  .sent = SentSerial,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {Named(kFamily, "CQ WW WPX Contest (CW)", "CW"),
                                      Named(kFamily, "CQ WW WPX Contest (SSB)", "SSB")};

}  // namespace

std::span<const ContestRules> CqWpxContests() {
  return kContests;
}

}  // namespace mirva
