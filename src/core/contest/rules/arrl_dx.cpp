// ARRL International DX Contest, CW and SSB: the world works the US and Canada, and they
// work the world; three points a QSO.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  ContestSetup setup = NewContest(ctx, self.name, cw ? "ARRL-DX-CW" : "ARRL-DX-SSB",
                                  {cw ? "CW" : "SSB"}, HF6(), true, 1);
  setup.MultCaptions = "ARRL sections";
  TMultArray& list = setup.MultList1;
  const std::string& own = setup.StationCfg.Country;
  if (own == "K" || own == "VE") {
    AddCountries(list, ctx.countries, IsNotKOrVe);
  } else {
    AddStatesAndProvinces(list, kCanadianProvincesB);
  }
  return setup;
}

PointsTriple Points(const TQSOData&, const RuleContext&) {
  return {3};
}

// The US and Canada count the countries they work; the world counts their states and
// provinces.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  const std::string& own = s.StationCfg.Country;
  if (own == "K" || own == "VE")
    return {{std::string(m.stored_prefix)}};
  std::string country = m.worked.Prefix == "VE" ? "VE" : "K";
  return {{country + kKeyDot + m.qso.NumberRcvd}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .predict = PredictPrevious,
                                  .sent = SentState,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {Named(kFamily, "ARRL International DX Contest (CW)", "CW"),
                                      Named(kFamily, "ARRL International DX Contest (SSB)", "SSB")};

}  // namespace

std::span<const ContestRules> ArrlDxContests() {
  return kContests;
}

}  // namespace mirva
