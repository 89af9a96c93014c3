// ARRL RTTY Round-Up: one point a QSO; countries, US states and Canadian provinces.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"

namespace mirva {

namespace {

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country == "K" || s.StationCfg.Country == "VE");
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "ARRL-RTTY", {"RTTY"}, HF5(), true, 1);
  setup.MultCaptions = "DXCC and K/VE states";
  TMultArray& list = setup.MultList1;
  AddCountries(list, ctx.countries, IsNotKOrVe);
  AddStatesAndProvinces(list, kCanadianProvincesA);
  return setup;
}

PointsTriple Points(const TQSOData&, const RuleContext&) {
  return {1};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  if (worked == "K" || worked == "VE")
    return {{worked + kKeyDot + m.qso.NumberRcvd}};
  return {{std::string(m.stored_prefix)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.once = true});

constexpr ContestRules kContests[] = {
    {.name = "ARRL RTTY Round-Up Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = NormalizePad3,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> ArrlRttyContests() {
  return kContests;
}

}  // namespace mirva
