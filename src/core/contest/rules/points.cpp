#include "contest/rules/points.h"

#include "reference/callsign.h"

namespace mirva {

TCountry CountryOf(const RuleContext& ctx, std::string_view text) {
  TCountry country;
  ctx.countries.FindCountry(text, country, ctx.use_wae);
  return country;
}

int ByDistance(const TCountry& worked, const RuleContext& ctx, int same_country, int same_continent,
               int farther) {
  if (worked.Prefix == ctx.StationCfg.Country)
    return same_country;
  if (worked.Continent == ctx.StationCfg.Cont)
    return same_continent;
  return farther;
}

bool IsLowBand(std::string_view band) {
  return band == "160" || band == "80" || band == "40";
}

std::string CallArea(std::string_view prefix, std::string_view call) {
  std::string wpx = WpxPrefix(call);
  std::string area(prefix);
  if (!wpx.empty())
    area += wpx.back();
  return area;
}

}  // namespace mirva
