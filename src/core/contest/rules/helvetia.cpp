// Helvetia contest: Swiss cantons for everyone, and every country for Swiss stations.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// Swiss stations send a serial and their canton, in either order.
std::string Normalize(const TQSOData& qso, const Session& s) {
  if (CountryOf(s, qso.Call).Prefix == "HB")
    return SplitForm(qso.NumberRcvd);
  return Pad3(qso.NumberRcvd);
}

std::string Sent(const Session& s) {
  const TStationCFG& own = s.StationCfg;
  if (own.Country != "HB")
    return NextSerial(s);
  return NextLeadingSerial(s) + "/" + own.State;
}

bool Define(Session& s, const ContestRules& self) {
  bool swiss = s.StationCfg.Country == "HB";
  NewContest(s, self.name, "HELVETIA", {"CW", "SSB"}, HF6(), true, swiss ? 2 : 1);
  s.LoadDomesticList("Helvetia.DOM");
  if (swiss) {
    s.contest.MultCaptions = "DXCC\r\nHB9 provinces";
    ListCountriesAndDomesticCodes(s);
  } else {
    s.contest.MultCaptions = "HB9 provinces";
    ListDomesticCodes(s);
  }
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (s.StationCfg.Country == "HB")
    return {worked.Continent == "EU" ? 1 : 3};
  return {worked.Prefix == "HB" ? 3 : 0};
}

// Swiss stations send a serial with their canton; the canton is what counts.
MultKeys Mults(const MultQso& m, const Session& s) {
  std::string canton = CodeOf(m.qso.NumberRcvd);
  if (s.StationCfg.Country != "HB")
    return {{canton}};
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {worked == "HB" ? canton : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {"Helvetia contest", "", Define, DupeRule::kBand, Points, Normalize, nullptr, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> HelvetiaContests() {
  return kContests;
}

}  // namespace mirva
