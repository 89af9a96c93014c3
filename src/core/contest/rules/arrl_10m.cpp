// ARRL 10 meter Contest: countries, US states and Canadian provinces on one band, CW and SSB.
#include <string>

#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// The countries whose stations send their state or province.
bool SendsState(std::string_view prefix) {
  return prefix == "K" || prefix == "KH6" || prefix == "KL" || prefix == "VE";
}

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  return PreviousWhen(full && SendsState(CountryOf(s, call).Prefix), previous);
}

std::string Sent(const RuleContext& s) {
  return StateOrSerial(s, SendsState(s.StationCfg.Country));
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "ARRL-10", {"CW", "SSB"}, {"10"}, true, 1);
  setup.MultCaptions = "DXCC and K/VE states";
  TMultArray& list = setup.MultList1;
  // The states and provinces count instead of the countries that hold them.
  AddCountries(list, ctx.countries, [](const TCountry& c) {
    return c.Prefix != "K" && c.Prefix != "KL" && c.Prefix != "KH6" && c.Prefix != "VE";
  });
  AddStatesAndProvinces(list, kCanadianProvincesA);
  return setup;
}

// Novice and technician stations sign "/N" and "/T"; any call holding either text scores 8.
PointsTriple Points(const TQSOData& qso, const RuleContext&) {
  std::string_view call = qso.Call;
  if (call.find("/T") != std::string_view::npos || call.find("/N") != std::string_view::npos)
    return {8};
  if (qso.Mode == "CW")
    return {4};
  if (qso.Mode == "SSB")
    return {2};
  return {0};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  if (!SendsState(worked))
    return {{std::string(m.stored_prefix)}};
  return {{(worked == "VE" ? "VE" : "K") + std::string(kKeyDot) + m.qso.NumberRcvd}};
}

// A multiplier counts once in CW and once in SSB.
constexpr std::array<MultScope, 3> kScope = EveryList({.slot_by_mode = true});

constexpr ContestRules kContests[] = {
    {.name = "ARRL 10 meter Contest",
     .define = Define,
     .dupe = DupeRule::kBandAndMode,
     .points = Points,
     .normalize = NormalizePad3,
     .predict = Predict,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope},
};

}  // namespace

std::span<const ContestRules> Arrl10mContests() {
  return kContests;
}

}  // namespace mirva
