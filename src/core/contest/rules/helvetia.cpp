// Helvetia contest: Swiss cantons for everyone, and every country for Swiss stations.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"

namespace mirva {

namespace {

// Swiss stations send a serial and their canton, in either order.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  if (CountryOf(s, qso.Call).Prefix == "HB")
    return SplitForm(qso.NumberRcvd);
  return Pad3(qso.NumberRcvd);
}

std::string Sent(const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  if (own.Country != "HB")
    return NextSerial(s);
  return NextLeadingSerial(s) + "/" + own.State;
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool swiss = ctx.StationCfg.Country == "HB";
  ContestSetup setup =
      NewContest(ctx, self.name, "HELVETIA", {"CW", "SSB"}, HF6(), true, swiss ? 2 : 1);
  if (swiss) {
    setup.MultCaptions = "DXCC\r\nHB9 provinces";
    ListCountriesAndDomesticCodes(setup, ctx);
  } else {
    setup.MultCaptions = "HB9 provinces";
    ListDomesticCodes(setup, ctx.DomesticList);
  }
  return setup;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (s.StationCfg.Country == "HB")
    return {worked.Continent == "EU" ? 1 : 3};
  return {worked.Prefix == "HB" ? 3 : 0};
}

// Swiss stations send a serial with their canton; the canton is what counts.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  std::string canton = CodeOf(m.qso.NumberRcvd);
  if (s.StationCfg.Country != "HB")
    return {{canton}};
  const std::string& worked = m.worked.Prefix;
  return {{worked}, {worked == "HB" ? canton : std::string()}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {.name = "Helvetia contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = Normalize,
     .sent = Sent,
     .mult_keys = Mults,
     .scope = kScope,
     .domestic_list = "Helvetia.DOM"},
};

}  // namespace

std::span<const ContestRules> HelvetiaContests() {
  return kContests;
}

}  // namespace mirva
