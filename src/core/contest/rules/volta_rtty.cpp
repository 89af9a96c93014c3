// VOLTA RTTY WW Contest: points from a table of CQ zones, countries and call areas.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "error.h"
#include "text/strings.h"

namespace mirva {

namespace {

bool HasCallAreas(std::string_view prefix) {
  return prefix == "K" || prefix == "VE" || prefix == "VK" || prefix == "JA" || prefix == "ZL";
}

// The exchange is a serial and a CQ zone; a serial that is not a number is kept as typed.
std::string Normalize(const TQSOData& qso, const RuleContext&) {
  std::string_view serial = ExchangeWord(qso.NumberRcvd, 1);
  if (!IsNumeric(serial))
    return qso.NumberRcvd;
  return PadTo(serial, 3) + "-" + std::string(ExchangeWord(qso.NumberRcvd, 2));
}

std::string Sent(const RuleContext& s) {
  return NextLeadingSerial(s) + "-" + s.StationCfg.CQ;
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  ContestSetup setup = NewContest(ctx, self.name, "VOLTA_RTTY", {"RTTY"}, HF5(), true, 1);
  setup.MultCaptions = "DXCC and K/VE/JA/VK/ZL areas";
  TMultArray& list = setup.MultList1;
  for (const TCountry& country : ctx.countries.CountryList()) {
    if (country.Prefix == "ZL")
      AddCallAreas(list, "ZL", '1', '4');
    else if (HasCallAreas(country.Prefix))
      AddCallAreas(list, country.Prefix);
    else
      AddMult(list, country.Prefix);
  }
  return setup;
}

// A zone outside 1..40 has no row or column in the table, and such a QSO scores 0.
PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  TCountry worked = CountryOf(s, qso.CountryPrefix);
  if (worked.Prefix == own.Country) {
    if (!HasCallAreas(own.Country) ||
        CallArea(own.Country, own.Call) == CallArea(worked.Prefix, qso.Call))
      return {0};
  }
  int32_t points = s.PointsTable.At(StrToInt(own.CQ), StrToInt(worked.CQZone));
  if (worked.Continent != own.Cont && (qso.Band == "80" || qso.Band == "10"))
    points *= 2;
  return {points};
}

MultKeys Mults(const MultQso& m, const RuleContext&) {
  const std::string& worked = m.worked.Prefix;
  return {{HasCallAreas(worked) ? CallArea(worked, m.qso.Call) : worked}};
}

// Nothing counts the zone a station sends (the points take its country's), so only the form
// of the exchange tells a mistyped one.
std::string CheckExchange(const TQSOData& qso, const RuleContext&) {
  std::string_view rcvd = Trim(qso.NumberRcvd);
  std::string_view zone = ExchangeWord(rcvd, 2);
  bool zone_ok = IsNumeric(zone) && StrToInt(zone) >= 1 && StrToInt(zone) <= 40;
  if (rcvd.empty() ||
      (IsNumeric(ExchangeWord(rcvd, 1)) && zone_ok && ExchangeWord(rcvd, 3).empty()))
    return {};
  return ShortQuote(rcvd) +
         " is no serial number and CQ zone (1 to 40), the exchange of this contest";
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {.name = "VOLTA RTTY WW Contest",
     .define = Define,
     .dupe = DupeRule::kBand,
     .points = Points,
     .normalize = Normalize,
     .sent = Sent,
     .mult_keys = Mults,
     .check_exchange = CheckExchange,
     .scope = kScope,
     .report = ReportLayout::kVolta,
     .points_table = true},
};

}  // namespace

std::span<const ContestRules> VoltaRttyContests() {
  return kContests;
}

}  // namespace mirva
