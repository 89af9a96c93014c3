// CQ World Wide DX Contest, CW and SSB weekends: countries and CQ zones per band.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

std::string Normalize(const TQSOData& qso, const Session&) {
  return PadTo(qso.NumberRcvd, 2);
}

// While the callsign is typed only its country's zone is proposed; once it is complete, what
// the station sent before wins.
std::string Predict(std::string_view call, bool full, const Session& s) {
  std::string zone = CountryOf(s, call).CQZone;
  if (!full)
    return zone;
  std::string previous = PreviousExchange(s);
  return previous.empty() ? zone : previous;
}

std::string Sent(const Session& s) {
  return s.StationCfg.CQ;
}

bool Define(Session& s, const ContestRules& self) {
  bool cw = self.variant == "CW";
  NewContest(s, self.name, cw ? "CQ-WW-CW" : "CQ-WW-SSB", {cw ? "CW" : "SSB"}, HF6(), true, 2);
  ListCountriesAndCqZones(s);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  const TStationCFG& own = s.StationCfg;
  if (qso.CountryPrefix == own.Country)
    return {0};
  if (CountryOf(s, qso.CountryPrefix).Continent == own.Cont)
    return {own.Cont == "NA" ? 2 : 1};
  return {3};
}

MultKeys Mults(const MultQso& m, const Session&) {
  return {{std::string(m.stored_prefix)}, {ZoneKey(m)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"CQ WW DX Contest (SSB)", "SSB", Define, DupeRule::kBand, Points, Normalize, Predict, Sent,
     Mults, kScope},
    {"CQ WW DX Contest (CW)", "CW", Define, DupeRule::kBand, Points, Normalize, Predict, Sent,
     Mults, kScope},
};

}  // namespace

std::span<const ContestRules> CqWwContests() {
  return kContests;
}

}  // namespace mirva
