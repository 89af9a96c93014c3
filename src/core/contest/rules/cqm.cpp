// CQ-M International DX Contest: the countries of the P-150-C list, which the definition loads
// in place of the usual country file; a satellite band besides the HF bands.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// The station's country, too, is taken from the contest's own list.
bool Define(Session& s, const ContestRules& self) {
  s.LoadCountryFile(2);
  FillStationFromCountry(s.countries, s.StationCfg.Country, s.StationCfg);
  std::vector<std::string> bands = HF6();
  bands.push_back("SAT");
  NewContest(s, self.name, "CQ-M", {"CW", "SSB", "SSTV"}, std::move(bands), true, 1);
  s.contest.MultCaptions = "P-150-C list";
  s.contest.MultList1.clear();
  AddCountries(s.contest.MultList1, s.countries);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  return {ByDistance(CountryOf(s, qso.CountryPrefix), s, 1, 2, 3)};
}

MultKeys Mults(const MultQso& m, const Session&) {
  return {{m.worked.Prefix}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 7});

constexpr ContestRules kContests[] = {
    {"CQ-M International DX Contest", "", Define, DupeRule::kBandMode, Points, NormalizePad3,
     nullptr, SentSerial, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> CqmContests() {
  return kContests;
}

}  // namespace mirva
