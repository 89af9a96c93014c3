// SP DX RTTY Contest: countries, continents and Polish provinces.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

std::string Predict(std::string_view call, bool full, const Session& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix == "SP", s);
}

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country == "SP");
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "SPDX RTTY", {"RTTY"}, HF5(), true, 3);
  s.contest.MultCaptions = "DXCC\r\nContinents\r\nPolish provinces";
  s.contest.MultList1.clear();
  AddCountries(s.contest.MultList1, s.countries);
  s.contest.MultList2.clear();
  AddKeys(s.contest.MultList2, "", kContinents);
  s.contest.MultList3.clear();
  AddKeys(s.contest.MultList3, "", kPolishProvinces);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  return {ByDistance(CountryOf(s, qso.CountryPrefix), s, 2, 5, 10)};
}

MultKeys Mults(const MultQso& m, const Session&) {
  const TCountry& worked = m.worked;
  return {{worked.Prefix},
          {worked.Continent},
          {worked.Prefix == "SP" ? m.qso.NumberRcvd : std::string()}};
}

// A continent counts once in the whole contest, countries and provinces once per band.
constexpr std::array<MultScope, 3> kScope = {MultScope{.slots = 1}, MultScope{.once = true},
                                             MultScope{.slots = 1}};

constexpr ContestRules kContests[] = {
    {"SP DX RTTY Contest", "", Define, DupeRule::kBand, Points, NormalizePad3, Predict, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> SpDxRttyContests() {
  return kContests;
}

}  // namespace mirva
