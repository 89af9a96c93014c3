// GACW CW DX Contest: countries and CQ zones per band, with the Falklands under their
// Argentine name.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"
#include "text/strings.h"

namespace mirva {

namespace {

// Every lookup shows this name for VP8 until the next contest set-up reloads the country file.
void RenameFalklands(CountryDatabase& countries) {
  for (std::size_t i = 0; i < countries.CountryList().size(); ++i) {
    if (countries.CountryList()[i].Prefix == "VP8")
      countries.SetCountryName(i, "Islas Malvinas (Falkland Island)");
  }
}

std::string Normalize(const TQSOData& qso, const Session&) {
  return PadTo(qso.NumberRcvd, 2);
}

std::string Predict(std::string_view call, bool full, const Session& s) {
  if (!full || Trim(call).empty())
    return {};
  std::string previous = PreviousExchange(s);
  return previous.empty() ? CountryOf(s, call).CQZone : previous;
}

std::string Sent(const Session& s) {
  return s.StationCfg.CQ;
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "GACW", {"CW"}, HF6(), true, 2);
  ListCountriesAndCqZones(s);
  RenameFalklands(s.countries);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  const TStationCFG& own = s.StationCfg;
  if (qso.CountryPrefix == own.Country)
    return {0};
  std::string continent = CountryOf(s, qso.CountryPrefix).Continent;
  if (continent == own.Cont)
    return {1};
  return {continent == "SA" ? 5 : 3};
}

MultKeys Mults(const MultQso& m, const Session&) {
  return {{std::string(m.stored_prefix)}, {ZoneKey(m)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"GACW CW DX Contest", "", Define, DupeRule::kBand, Points, Normalize, Predict, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> GacwContests() {
  return kContests;
}

}  // namespace mirva
