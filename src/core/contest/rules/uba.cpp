// UBA DX Contest, CW and SSB weekends: Belgian stations count countries, the others EC
// countries, Belgian provinces and Belgian prefixes.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "error.h"
#include "reference/callsign.h"
#include "text/strings.h"

namespace mirva {

namespace {

// Belgian stations send a serial and their province, in either order.
std::string Normalize(const TQSOData& qso, const RuleContext& s) {
  if (CountryOf(s, qso.Call).Prefix == "ON")
    return SplitForm(qso.NumberRcvd);
  return Pad3(qso.NumberRcvd);
}

// A Belgian station sends serial/province; the serial counts on from the part of the last sent
// exchange before its "/", or from all of it when the operator left the "/" out. A QSO saved
// with no sent exchange tells nothing of the serial and is passed over.
std::string Sent(const RuleContext& s) {
  const TStationCFG& own = s.StationCfg;
  if (own.Country != "ON")
    return NextSerial(s);
  std::string last = LastGivenSentExchange(s);
  if (last.empty())
    return "001/" + own.State;
  std::string_view serial = Trim(std::string_view(last).substr(0, last.find('/')));
  if (!IsNumeric(serial))
    throw ConversionError::Explained("The last sent exchange " + ShortQuote(last) +
                                     " does not start with a serial number (001/" + own.State +
                                     "); type the number to send in Sent.");
  return Pad3Number(static_cast<long long>(StrToInt(serial)) + 1) + "/" + own.State;
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  bool belgian = ctx.StationCfg.Country == "ON";
  ContestSetup setup = NewContest(ctx, self.name, cw ? "UBA-CW" : "UBA-SSB", {cw ? "CW" : "SSB"},
                                  HF5(), true, belgian ? 1 : 2);
  setup.MultCaptions = belgian ? "DXCC" : "EC countries and ON provinces";
  if (belgian) {
    AddCountries(setup.MultList1, ctx.countries);
  } else {
    // The second list collects the Belgian prefixes as they are worked.
    AddKeys(setup.MultList1, "", kEcCountries);
    AddKeys(setup.MultList1, std::string("ON") + kKeyDot, kBelgianProvinces);
  }
  return setup;
}

bool IsEcCountry(std::string_view prefix) {
  for (std::string_view ec : kEcCountries) {
    if (prefix == ec)
      return true;
  }
  return false;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  std::string worked = CountryOf(s, qso.CountryPrefix).Prefix;
  if (s.StationCfg.Country == "ON") {
    if (worked == "ON")
      return {1};
    return {IsEcCountry(worked) ? 2 : 3};
  }
  if (worked == "ON")
    return {10};
  return {IsEcCountry(worked) ? 3 : 1};
}

// Stations abroad count the EC countries, the Belgian provinces and, in the second list, the
// Belgian prefixes they work.
MultKeys Mults(const MultQso& m, const RuleContext& s) {
  const std::string& worked = m.worked.Prefix;
  if (s.StationCfg.Country == "ON")
    return {{worked}};
  if (worked != "ON")
    return {{worked}, {}};
  return {{std::string("ON") + kKeyDot + CodeOf(m.qso.NumberRcvd)}, {WpxPrefix(m.qso.Call), true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

/// What every contest of the family shares; they differ only in name and variant.
constexpr ContestRules kFamily = {.define = Define,
                                  .dupe = DupeRule::kBand,
                                  .points = Points,
                                  .normalize = Normalize,
                                  .sent = Sent,
                                  .mult_keys = Mults,
                                  .scope = kScope};

constexpr ContestRules kContests[] = {Named(kFamily, "UBA DX Contest (CW)", "CW"),
                                      Named(kFamily, "UBA DX Contest (SSB)", "SSB")};

}  // namespace

std::span<const ContestRules> UbaContests() {
  return kContests;
}

}  // namespace mirva
