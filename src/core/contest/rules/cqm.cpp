// CQ-M International DX Contest: the countries of the P-150-C list, which the definition loads
// in place of the usual country file; a satellite band besides the HF bands.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// The station's country, too, is taken from the contest's own list.
std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  std::vector<std::string> bands = HF6();
  bands.push_back("SAT");
  ContestSetup setup =
      NewContest(ctx, self.name, "CQ-M", {"CW", "SSB", "SSTV"}, std::move(bands), true, 1);
  FillStationFromCountry(ctx.countries, setup.StationCfg.Country, setup.StationCfg);
  setup.MultCaptions = "P-150-C list";
  AddCountries(setup.MultList1, ctx.countries);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  return {ByDistance(CountryOf(s, qso.CountryPrefix), s, 1, 2, 3)};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  return {{m.worked.Prefix}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 7});

constexpr ContestRules kContests[] = {
    {.name = "CQ-M International DX Contest",
     .define = Define,
     .dupe = DupeRule::kBandMode,
     .points = Points,
     .normalize = NormalizePad3,
     .sent = SentSerial,
     .mult_keys = Mults,
     .scope = kScope,
     .country_file = 2},
};

}  // namespace

std::span<const ContestRules> CqmContests() {
  return kContests;
}

}  // namespace mirva
