// Anatolian WW RTTY Contest: countries without the WAE-only ones, and the call areas of five
// countries.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "Anatolian RTTY", {"RTTY"}, HF5(), false, 2);
  setup.MultCaptions = "DXCC\r\nK/JA/TA/VE/VK call areas";
  AddCountries(setup.MultList1, ctx.countries, [](const TCountry& c) { return !c.WAE; });
  for (std::string_view prefix : {"JA", "K", "TA", "VE", "VK"})
    AddCallAreas(setup.MultList2, prefix);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  return {ByDistance(CountryOf(s, qso.CountryPrefix), s, 5, 10, 15)};
}

bool HasCallAreas(std::string_view prefix) {
  return prefix == "K" || prefix == "TA1" || prefix == "TA" || prefix == "VE" || prefix == "JA" ||
         prefix == "VK";
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {HasCallAreas(worked) ? CallArea(worked, m.qso.Call) : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {.name = "Anatolian WW RTTY Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = NormalizePad3,
     .sent = SentSerial,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> AnatolianRttyContests() {
  return kContests;
}

}  // namespace mirva
