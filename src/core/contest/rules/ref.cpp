// REF contest for stations outside France, CW and SSB weekends: French departments and
// overseas prefixes.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  ContestSetup setup =
      NewContest(ctx, self.name, cw ? "REF-CW" : "REF-SSB", {cw ? "CW" : "SSB"}, HF5(), true, 1);
  setup.MultCaptions = "French departaments";
  TMultArray& list = setup.MultList1;
  AddNumbers(list, 0, 96);
  for (std::string_view key : {"99", "2A", "2B"})
    AddMult(list, key);
  AddKeys(list, "", kFrenchOverseas);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  return {CountryOf(s, qso.CountryPrefix).Continent == s.StationCfg.Cont ? 1 : 3};
}

// Departments reach the log padded to three digits; the list holds them with two.
MultKeys Mults(const MultQso& m, const RuleContext&) {
  return {{TwoDigitNumber(m.qso.NumberRcvd)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .normalize = NormalizePad3,
                                  .predict = PredictPrevious,
                                  .sent = SentSerial,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {
    Named(kFamily, "REF contest (CW) Non France station", "CW"),
    Named(kFamily, "REF contest (SSB) Non France station", "SSB")};

}  // namespace

std::span<const ContestRules> RefContests() {
  return kContests;
}

}  // namespace mirva
