// Japan International DX Contest, three sections: Japanese stations count countries and CQ
// zones, everyone else the Japanese prefectures.
#include <span>
#include <string>

#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

constexpr std::string_view kLowCw = "Japan International DX Contest (LF CW)";
constexpr std::string_view kHighCw = "Japan International DX Contest (HF CW)";
constexpr std::string_view kPhone = "Japan International DX Contest (PHONE)";

constexpr std::string_view kLowBands[] = {"160", "80", "40"};
constexpr std::string_view kHighBands[] = {"20", "15", "10"};
constexpr std::string_view kAllBands[] = {"160", "80", "40", "20", "15", "10"};

struct Section {
  std::string_view name;
  std::string_view cabrillo_name;
  std::string_view mode;
  std::span<const std::string_view> bands;
};

constexpr Section kSections[] = {
    {kLowCw, "JIDX_LFCW", "CW", kLowBands},
    {kHighCw, "JIDX_HFCW", "CW", kHighBands},
    {kPhone, "JIDX_SSB", "SSB", kAllBands},
};

bool IsJapanese(std::string_view prefix) {
  return prefix == "JA" || prefix == "JD1/M";
}

// A Japanese station's prefecture number has two digits; any other number is padded to three.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  if (!IsNumeric(qso.NumberRcvd))
    return qso.NumberRcvd;
  return PadTo(qso.NumberRcvd, CountryOf(s, qso.Call).Prefix == "JA" ? 2 : 3);
}

std::string Predict(std::string_view call, bool full, std::span<const TQSOData> previous,
                    const RuleContext& s) {
  if (!full)
    return {};
  std::string earlier = PreviousExchange(previous);
  if (earlier.empty() && IsJapanese(s.StationCfg.Country))
    return CountryOf(s, call).CQZone;
  return earlier;
}

std::string Sent(const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  return IsJapanese(own.Country) ? own.State : own.CQ;
}

// The variant is the section's full display name; a name of no section fails at once.
std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  const Section* section = nullptr;
  for (const Section& candidate : kSections) {
    if (candidate.name == self.variant)
      section = &candidate;
  }
  if (!section)
    return std::nullopt;
  bool japanese = ctx.StationCfg.Country == "JA" || ctx.StationCfg.Country == "JD1/M";
  ContestSetup setup =
      NewContest(ctx, self.name, section->cabrillo_name, {std::string(section->mode)},
                 {section->bands.begin(), section->bands.end()}, true, japanese ? 2 : 1);
  if (japanese) {
    ListCountriesAndCqZones(setup, ctx.countries);
  } else {
    setup.MultCaptions = "Japan prefectures";
    AddNumbers(setup.MultList1, 1, 50);
  }
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext&) {
  const std::string& band = qso.Band;
  if (band == "160")
    return {4};
  if (band == "80" || band == "10")
    return {2};
  if (band == "40" || band == "20" || band == "15")
    return {1};
  return {0};
}

// A DX station's zone reaches the log padded to three digits; the zone list has two.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  if (IsJapanese(s.StationCfg.Country))
    return {{std::string(m.stored_prefix)}, {TwoDigitNumber(ZoneKey(m))}};
  return {{m.qso.NumberRcvd}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .normalize = Normalize,
                                  .predict = Predict,
                                  .sent = Sent,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {Named(kFamily, kLowCw, kLowCw),
                                      Named(kFamily, kHighCw, kHighCw),
                                      Named(kFamily, kPhone, kPhone)};

}  // namespace

std::span<const ContestRules> JidxContests() {
  return kContests;
}

}  // namespace mirva
