// YU DX Contest: ITU zones, with points by zone and continent.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "reference/callsign.h"
#include "session/session.h"

namespace mirva {

namespace {

std::string Predict(std::string_view call, bool full, const Session& s) {
  return full ? CountryOf(s, call).ITUZone : std::string();
}

std::string Sent(const Session& s) {
  return s.StationCfg.ITU;
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "YUDX", {"CW", "SSB"}, HF6(), true, 2);
  s.contest.MultCaptions = "ITU zones";
  s.contest.MultList1.clear();
  AddNumbers(s.contest.MultList1, 1, 75);
  s.contest.MultList2.clear();
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.ITUZone == s.StationCfg.ITU)
    return {1};
  if (worked.Continent == s.StationCfg.Cont)
    return {3};
  return {5};
}

// Yugoslav prefixes are collected as they are worked.
MultKeys Mults(const MultQso& m, const Session&) {
  bool yu = m.worked.Prefix == "YU";
  return {{m.worked.ITUZone}, {yu ? WpxPrefix(m.qso.Call) : std::string(), true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {"YU DX Contest", "", Define, DupeRule::kBandMode, Points, nullptr, Predict, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> YuDxContests() {
  return kContests;
}

}  // namespace mirva
