// King of Spain Contest, CW and SSB: Spanish provinces for everyone, and the other countries
// for Spanish stations.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// Spanish stations send their province, the others a serial.
std::string Normalize(const TQSOData& qso, const Session& s) {
  if (CountryOf(s, qso.Call).Prefix.starts_with("EA"))
    return qso.NumberRcvd;
  return Pad3(qso.NumberRcvd);
}

std::string Predict(std::string_view call, bool full, const Session& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix.starts_with("EA"), s);
}

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country.starts_with("EA"));
}

bool Define(Session& s, const ContestRules& self) {
  bool cw = self.variant == "CW";
  bool spanish = s.StationCfg.Country.starts_with("EA");
  NewContest(s, self.name, "King of Spain C", {cw ? "CW" : "SSB"}, HF6(), true, spanish ? 2 : 1);
  s.LoadDomesticList("Spain.DOM");
  if (spanish) {
    s.contest.MultCaptions = "Spain provinces\r\nDXCC";
    ListCountriesAndDomesticCodes(s, [](const TCountry& c) { return !c.Prefix.starts_with("EA"); });
  } else {
    s.contest.MultCaptions = "Spain provinces";
    ListDomesticCodes(s);
  }
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  if (s.StationCfg.Country.starts_with("EA"))
    return {1};
  return {CountryOf(s, qso.CountryPrefix).Prefix.starts_with("EA") ? 1 : 0};
}

// Spanish stations count the countries and the provinces of the Spanish stations they work;
// the others count provinces only.
MultKeys Mults(const MultQso& m, const Session& s) {
  if (!s.StationCfg.Country.starts_with("EA"))
    return {{m.qso.NumberRcvd}};
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {worked.starts_with("EA") ? m.qso.NumberRcvd : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {"King of Spain Contest (SSB)", "SSB", Define, DupeRule::kBand, Points, Normalize, Predict,
     Sent, Mults, kScope},
    {"King of Spain Contest (CW)", "CW", Define, DupeRule::kBand, Points, Normalize, Predict, Sent,
     Mults, kScope},
};

}  // namespace

std::span<const ContestRules> KingOfSpainContests() {
  return kContests;
}

}  // namespace mirva
