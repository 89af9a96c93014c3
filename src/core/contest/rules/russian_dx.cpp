// Russian DX Contest: countries and Russian oblasts per band and mode.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "reference/callsign.h"
#include "session/session.h"

namespace mirva {

namespace {

// A Russian station never worked is proposed the oblast its call district tells.
std::string Predict(std::string_view call, bool full, const Session& s) {
  if (!full || !CountryOf(s, call).Prefix.starts_with("UA"))
    return {};
  std::string previous = PreviousExchange(s);
  return previous.empty() ? RegionByCall(call, s.DomesticList) : previous;
}

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country.starts_with("UA"));
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "RDXC", {"CW", "SSB"}, HF6(), true, 2);
  s.contest.MultCaptions = "DXCC\r\nRussian oblasts";
  s.contest.MultList1.clear();
  AddCountries(s.contest.MultList1, s.countries);
  s.contest.MultList2.clear();
  AddKeys(s.contest.MultList2, "", kRussianOblasts);
  // The call-district table that tells a Russian callsign's oblast.
  s.LoadDomesticList("RUS.DOM");
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  const TStationCFG& own = s.StationCfg;
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  bool same_continent = worked.Continent == own.Cont;
  bool worked_russia = worked.Prefix.starts_with("UA");
  if (own.Country.starts_with("UA")) {
    if (worked_russia)
      return {same_continent ? 2 : 5};
    return {same_continent ? 3 : 5};
  }
  if (worked_russia)
    return {10};
  if (worked.Prefix == own.Country)
    return {2};
  return {same_continent ? 3 : 5};
}

MultKeys Mults(const MultQso& m, const Session&) {
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {worked.starts_with("UA") ? m.qso.NumberRcvd : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {"Russian DX contest", "", Define, DupeRule::kBandMode, Points, nullptr, Predict, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> RussianDxContests() {
  return kContests;
}

}  // namespace mirva
