// Holyland DX Contest: Israeli stations count countries, the others the Israeli areas they
// work.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// Only Israeli stations receive serials; the others receive Israeli area codes.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  return s.StationCfg.Country == "4X" ? Pad3(qso.NumberRcvd) : qso.NumberRcvd;
}

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix == "4X", previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country == "4X");
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "Holyland DX", {"CW", "SSB"}, HF6(), true, 1);
  bool israeli = setup.StationCfg.Country == "4X";
  setup.MultCaptions = israeli ? "DXCC" : "Israel areas";
  // Outside Israel the list starts empty and collects the areas as they are worked.
  if (israeli)
    AddCountries(setup.MultList1, ctx.countries);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  if (s.StationCfg.Country == "4X" && CountryOf(s, qso.CountryPrefix).Prefix == "4X")
    return {0};
  return {IsLowBand(qso.Band) ? 2 : 1};
}

// Stations abroad count the Israeli areas, Israeli stations the countries; both lists grow as
// new keys are worked.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  bool area = s.StationCfg.Country != "4X" && m.worked.Prefix == "4X";
  return {{area ? m.qso.NumberRcvd : m.worked.Prefix, true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {.name = "HOLYLAND DX Contest",
     .define = Define,
     .dupe = DupeRule::kBandMode,
     .points = Points,
     .normalize = Normalize,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> HolylandContests() {
  return kContests;
}

}  // namespace mirva
