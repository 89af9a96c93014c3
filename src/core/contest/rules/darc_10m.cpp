// DARC 10m-Contest: one point a QSO, countries as multipliers; a station may be worked again
// at any time.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "DARC-10", {"CW", "SSB"}, {"10"}, true, 1);
  setup.MultCaptions = "DXCC";
  AddCountries(setup.MultList1, ctx.countries);
  return setup;
}

PointsTriple Points(const TQSOData&, const RuleContext&) {
  return {1};
}

constexpr ContestRules kContests[] = {
    {.name = "DARC 10m-Contest", .define = Define, .dupe = DupeRule::kNever, .points = Points},
};

}  // namespace

std::span<const ContestRules> Darc10mContests() {
  return kContests;
}

}  // namespace mirva
