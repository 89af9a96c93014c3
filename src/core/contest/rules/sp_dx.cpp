// SP DX Contest: Polish stations count countries, the others Polish provinces.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// Only Polish stations receive serials; the others receive Polish province codes.
std::string Normalize(const TQSOData& qso, const Session& s) {
  return s.StationCfg.Country == "SP" ? Pad3(qso.NumberRcvd) : qso.NumberRcvd;
}

std::string Predict(std::string_view call, bool full, const Session& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix == "SP", s);
}

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country == "SP");
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "SPDX", {"CW", "SSB"}, HF6(), true, 1);
  bool polish = s.StationCfg.Country == "SP";
  s.contest.MultCaptions = polish ? "DXCC" : "Polish provinces";
  s.contest.MultList1.clear();
  if (polish)
    AddCountries(s.contest.MultList1, s.countries);
  else
    AddKeys(s.contest.MultList1, "", kPolishProvinces);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  if (s.StationCfg.Country != "SP")
    return {3};
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.Prefix == "SP")
    return {0};
  return {worked.Continent == "EU" ? 1 : 3};
}

// Polish stations count countries, the others the provinces of the Polish stations they work:
// a French or US station is no province "F" or "K".
MultKeys Mults(const MultQso& m, const Session& s) {
  if (s.StationCfg.Country == "SP")
    return {{m.worked.Prefix}};
  return {{m.worked.Prefix == "SP" ? m.qso.NumberRcvd : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {"SP DX Contest", "", Define, DupeRule::kBandMode, Points, Normalize, Predict, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> SpDxContests() {
  return kContests;
}

}  // namespace mirva
