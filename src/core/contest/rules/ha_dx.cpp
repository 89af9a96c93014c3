// Hungarian DX Contest: Hungarian counties; Hungarian stations score only outside Europe or
// when they work each other.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// Hungarian stations send their county, the others a serial.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  if (!IsNumeric(qso.NumberRcvd) || CountryOf(s, qso.Call).Prefix == "HA")
    return qso.NumberRcvd;
  return PadTo(qso.NumberRcvd, 3);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country == "HA");
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "HADXCW", {"CW"}, HF6(), true, 1);
  setup.MultCaptions = "Hungary provinces and HADXC members";
  AddKeys(setup.MultList1, std::string("HA") + kKeyDot, kHungarianCounties);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.Continent != s.StationCfg.Cont)
    return {3};
  return {worked.Prefix == "HA" ? 6 : 0};
}

// A Hungarian station sends its county or, as a club member, its member number; a member
// number joins the list the first time it is worked.
MultKeys Mults(const MultQso& m, const RuleContext&) {
  if (m.worked.Prefix != "HA")
    return {MultKey{}};
  const std::string& rcvd = m.qso.NumberRcvd;
  return {{std::string("HA") + kKeyDot + rcvd, IsNumeric(rcvd)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {.name = "Hungarian DX Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = Normalize,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> HaDxContests() {
  return kContests;
}

}  // namespace mirva
