// CQ WW WPX Contest, CW and SSB: prefixes are the multipliers, collected as they are worked;
// the low bands score double.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "reference/callsign.h"
#include "session/session.h"

namespace mirva {

namespace {

bool Define(Session& s, const ContestRules& self) {
  bool ssb = self.variant == "SSB";
  NewContest(s, self.name, ssb ? "CQ-WPX-SSB" : "CQ-WPX-CW", {ssb ? "SSB" : "CW"}, HF6(), true, 1);
  s.contest.MultCaptions = "Word prefixes";
  s.contest.MultList1.clear();
  return FinishDefinition(s);
}

// The worked country comes from the callsign itself, not from the prefix stored with the QSO.
PointsTriple Points(const TQSOData& qso, const Session& s) {
  const TStationCFG& own = s.StationCfg;
  TCountry worked = CountryOf(s, qso.Call);
  int32_t factor = IsLowBand(qso.Band) ? 2 : 1;
  if (worked.Prefix == own.Country)
    return {1};
  if (worked.Continent == own.Cont)
    return {(own.Cont == "NA" ? 2 : 1) * factor};
  return {3 * factor};
}

MultKeys Mults(const MultQso& m, const Session&) {
  return {{WpxPrefix(m.qso.Call), true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.once = true});

constexpr ContestRules kContests[] = {
    {"CQ WW WPX Contest (CW)", "CW", Define, DupeRule::kBand, Points, NormalizePad3, nullptr,
     SentSerial, Mults, kScope},
    {"CQ WW WPX Contest (SSB)", "SSB", Define, DupeRule::kBand, Points, NormalizePad3, nullptr,
     SentSerial, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> CqWpxContests() {
  return kContests;
}

}  // namespace mirva
