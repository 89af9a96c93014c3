// ARRL RTTY Round-Up: one point a QSO; countries, US states and Canadian provinces.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "session/session.h"

namespace mirva {

namespace {

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country == "K" || s.StationCfg.Country == "VE");
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "ARRL-RTTY", {"RTTY"}, HF5(), true, 1);
  s.contest.MultCaptions = "DXCC and K/VE states";
  TMultArray& list = s.contest.MultList1;
  list.clear();
  AddCountries(list, s.countries, IsNotKOrVe);
  AddStatesAndProvinces(list, kCanadianProvincesA);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData&, const Session&) {
  return {1};
}

MultKeys Mults(const MultQso& m, const Session&) {
  const std::string& worked = m.worked.Prefix;
  if (worked == "K" || worked == "VE")
    return {{worked + kKeyDot + m.qso.NumberRcvd}};
  return {{std::string(m.stored_prefix)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.once = true});

constexpr ContestRules kContests[] = {
    {"ARRL RTTY Round-Up Contest", "", Define, DupeRule::kBand, Points, NormalizePad3, nullptr,
     Sent, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> ArrlRttyContests() {
  return kContests;
}

}  // namespace mirva
