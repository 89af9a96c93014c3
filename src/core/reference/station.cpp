#include "reference/station.h"

namespace mirva {

namespace {

void CopyPlace(const TCountry& country, TStationCFG& station) {
  station.ITU = country.ITUZone;
  station.CQ = country.CQZone;
  station.Cont = country.Continent;
  station.Lat = country.Latitude;
  station.Long = country.Longitude;
}

}  // namespace

std::string FillStationFromCall(const CountryDatabase& countries, std::string_view call,
                                TStationCFG& station) {
  TCountry country;
  bool found = countries.FindCountry(call, country, true);
  CopyPlace(country, station);
  if (found)
    station.Country = country.Prefix;
  return country.Name;
}

std::string FillStationFromCountry(const CountryDatabase& countries, std::string_view prefix,
                                   TStationCFG& station) {
  for (const TCountry& country : countries.CountryList()) {
    if (country.Prefix == prefix) {
      CopyPlace(country, station);
      station.Country = country.Prefix;
      return country.Name;
    }
  }
  return "";
}

}  // namespace mirva
