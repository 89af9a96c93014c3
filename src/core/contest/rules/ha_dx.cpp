// Hungarian DX Contest: Hungarian counties; Hungarian stations score only outside Europe or
// when they work each other.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// Hungarian stations send their county, the others a serial.
std::string Normalize(const TQSOData& qso, const Session& s) {
  if (!IsNumeric(qso.NumberRcvd) || CountryOf(s, qso.Call).Prefix == "HA")
    return qso.NumberRcvd;
  return PadTo(qso.NumberRcvd, 3);
}

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country == "HA");
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "HADXCW", {"CW"}, HF6(), true, 1);
  s.contest.MultCaptions = "Hungary provinces and HADXC members";
  s.contest.MultList1.clear();
  AddKeys(s.contest.MultList1, std::string("HA") + kKeyDot, kHungarianCounties);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.Continent != s.StationCfg.Cont)
    return {3};
  return {worked.Prefix == "HA" ? 6 : 0};
}

// A Hungarian station sends its county or, as a club member, its member number; a member
// number joins the list the first time it is worked.
MultKeys Mults(const MultQso& m, const Session&) {
  if (m.worked.Prefix != "HA")
    return {MultKey{}};
  const std::string& rcvd = m.qso.NumberRcvd;
  return {{std::string("HA") + kKeyDot + rcvd, IsNumeric(rcvd)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"Hungarian DX Contest", "", Define, DupeRule::kBand, Points, Normalize, nullptr, Sent, Mults,
     kScope},
};

}  // namespace

std::span<const ContestRules> HaDxContests() {
  return kContests;
}

}  // namespace mirva
