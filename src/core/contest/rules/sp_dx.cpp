// SP DX Contest: Polish stations count countries, the others Polish provinces.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

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

constexpr ContestRules kContests[] = {
    {"SP DX Contest", "", Define, DupeRule::kBandMode, Points},
};

}  // namespace

std::span<const ContestRules> SpDxContests() {
  return kContests;
}

}  // namespace mirva
