#pragma once

#include <string>
#include <string_view>

#include "reference/country_db.h"

namespace mirva {

/// Who and where the operator is. Country is a primary prefix of the country file.
struct TStationCFG {
  std::string Call;
  std::string Country;
  std::string ITU;
  std::string CQ;
  std::string Cont;
  std::string Lat;
  std::string Long;
  std::string State;

  bool operator==(const TStationCFG&) const = default;
};

/// Fills zones, continent and position from the callsign's country (all empty when nothing
/// matches; WAE-only countries count) and, on a match, Country from its prefix. Returns the
/// country's name, empty when nothing matched.
std::string FillStationFromCall(const CountryDatabase& countries, std::string_view call,
                                TStationCFG& station);

/// Fills Country, zones, continent and position from the first country of the list with
/// that prefix and returns its name; with no such country nothing changes and "" is returned.
std::string FillStationFromCountry(const CountryDatabase& countries, std::string_view prefix,
                                   TStationCFG& station);

}  // namespace mirva
