// King of Spain Contest, CW and SSB: Spanish provinces for everyone, and the other countries
// for Spanish stations.
#include "contest/rules/definition.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

bool Define(Session& s, const ContestRules& self) {
  bool cw = self.variant == "CW";
  TContest& contest =
      NewContest(s, self.name, "King of Spain C", {cw ? "CW" : "SSB"}, HF6(), true, 1);
  s.LoadDomesticList("Spain.DOM");
  if (BeginsWith(s.StationCfg.Country, "EA")) {
    contest.MultCount = 2;
    s.contest.MultCaptions = "Spain provinces\r\nDXCC";
    s.contest.MultList1.clear();
    AddCountries(s.contest.MultList1, s.countries,
                 [](const TCountry& c) { return !BeginsWith(c.Prefix, "EA"); });
    s.contest.MultList2.clear();
    AddDomesticCodes(s.contest.MultList2, s.DomesticList);
  } else {
    s.contest.MultCaptions = "Spain provinces";
    s.contest.MultList1.clear();
    AddDomesticCodes(s.contest.MultList1, s.DomesticList);
  }
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  if (BeginsWith(s.StationCfg.Country, "EA"))
    return {1};
  return {BeginsWith(CountryOf(s, qso.CountryPrefix).Prefix, "EA") ? 1 : 0};
}

constexpr ContestRules kContests[] = {
    {"King of Spain Contest (SSB)", "SSB", Define, DupeRule::kBand, Points},
    {"King of Spain Contest (CW)", "CW", Define, DupeRule::kBand, Points},
};

}  // namespace

std::span<const ContestRules> KingOfSpainContests() {
  return kContests;
}

}  // namespace mirva
