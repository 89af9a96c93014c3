// ARRL International DX Contest, CW and SSB: the world works the US and Canada, and they
// work the world; three points a QSO.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "session/session.h"

namespace mirva {

namespace {

bool Define(Session& s, const ContestRules& self) {
  bool cw = self.variant == "CW";
  NewContest(s, self.name, cw ? "ARRL-DX-CW" : "ARRL-DX-SSB", {cw ? "CW" : "SSB"}, HF6(), true, 1);
  s.contest.MultCaptions = "ARRL sections";
  TMultArray& list = s.contest.MultList1;
  list.clear();
  const std::string& own = s.StationCfg.Country;
  if (own == "K" || own == "VE") {
    AddCountries(list, s.countries, IsNotKOrVe);
  } else {
    AddStatesAndProvinces(list, kCanadianProvincesB);
  }
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData&, const Session&) {
  return {3};
}

// The US and Canada count the countries they work; the world counts their states and
// provinces.
MultKeys Mults(const MultQso& m, const Session& s) {
  const std::string& own = s.StationCfg.Country;
  if (own == "K" || own == "VE")
    return {{std::string(m.stored_prefix)}};
  std::string country = m.worked.Prefix == "VE" ? "VE" : "K";
  return {{country + kKeyDot + m.qso.NumberRcvd}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"ARRL International DX Contest (CW)", "CW", Define, DupeRule::kBand, Points, nullptr,
     PredictPrevious, SentState, Mults, kScope},
    {"ARRL International DX Contest (SSB)", "SSB", Define, DupeRule::kBand, Points, nullptr,
     PredictPrevious, SentState, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> ArrlDxContests() {
  return kContests;
}

}  // namespace mirva
