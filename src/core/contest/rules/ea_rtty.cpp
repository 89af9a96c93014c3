// EA WW RTTY Contest: countries, Spanish provinces and K/VE/JA/VK call areas.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix.starts_with("EA"), previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, s.StationCfg.Country.starts_with("EA"));
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "EA_RTTY", {"RTTY"}, HF5(), true, 2);
  // The caption's second VK stands for VE; the text is kept as operators know it.
  setup.MultCaptions = "DXCC\r\nSpain provinces and K/VK/JA/VK areas";
  ListCountriesAndDomesticCodes(setup, ctx);
  for (std::string_view prefix : {"K", "VE", "JA", "VK"})
    AddCallAreas(setup.MultList2, prefix);
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  bool low = qso.Band == "80" || qso.Band == "40";
  if (CountryOf(s, qso.CountryPrefix).Continent == s.StationCfg.Cont)
    return {low ? 3 : 1};
  return {low ? 6 : 3};
}

// Spanish stations add their province, four countries a call area.
MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  std::string second;
  if (worked.starts_with("EA"))
    second = m.qso.NumberRcvd;
  else if (worked == "JA" || worked == "K" || worked == "VE" || worked == "VK")
    second = CallArea(worked, m.qso.Call);
  return {{worked}, {second}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {.name = "EA WW RTTY Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = NormalizePad3,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope,
     .domestic_list = "Spain.DOM"},
};

}  // namespace

std::span<const ContestRules> EaRttyContests() {
  return kContests;
}

}  // namespace mirva
