// Anatolian WW RTTY Contest: countries without the WAE-only ones, and the call areas of five
// countries.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "Anatolian RTTY", {"RTTY"}, HF5(), false, 2);
  s.contest.MultCaptions = "DXCC\r\nK/JA/TA/VE/VK call areas";
  s.contest.MultList1.clear();
  AddCountries(s.contest.MultList1, s.countries, [](const TCountry& c) { return !c.WAE; });
  s.contest.MultList2.clear();
  for (std::string_view prefix : {"JA", "K", "TA", "VE", "VK"})
    AddCallAreas(s.contest.MultList2, prefix);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  return {ByDistance(CountryOf(s, qso.CountryPrefix), s, 5, 10, 15)};
}

bool HasCallAreas(std::string_view prefix) {
  return prefix == "K" || prefix == "TA1" || prefix == "TA" || prefix == "VE" || prefix == "JA" ||
         prefix == "VK";
}

MultKeys Mults(const MultQso& m, const Session&) {
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {HasCallAreas(worked) ? CallArea(worked, m.qso.Call) : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"Anatolian WW RTTY Contest", "", Define, DupeRule::kBand, Points, NormalizePad3, nullptr,
     SentSerial, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> AnatolianRttyContests() {
  return kContests;
}

}  // namespace mirva
