#include "contest/rules/points.h"

#include "reference/callsign.h"
#include "session/session.h"

namespace mirva {

TCountry CountryOf(const Session& session, std::string_view text) {
  TCountry country;
  session.FindCountry(text, country);
  return country;
}

int ByDistance(const TCountry& worked, const Session& session, int same_country, int same_continent,
               int farther) {
  if (worked.Prefix == session.StationCfg.Country)
    return same_country;
  if (worked.Continent == session.StationCfg.Cont)
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
