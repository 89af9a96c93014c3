#pragma once

#include <optional>
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

/// What is wrong with `value` as the text of that station field, e.g. "the ITU zone must be a
/// whole number from 1 to 90". Empty when the value is empty, or passes the input rule (no
/// control characters; a callsign of Latin letters, digits and "/") and is a decimal number in
/// the field's range (zones whole, 1..90 ITU and 1..40 CQ; latitude -90..90, longitude
/// -180..180) or the field is free text.
std::string StationValueProblem(std::string TStationCFG::*field, std::string_view value);

/// The longitude text with its sign turned, between the country file's count (west positive,
/// which the station keeps) and a map's (east positive, which the operator reads and types):
/// "-10.00" and "10.00" turn into each other. Zero and a text that is no number stay as they
/// are.
std::string TurnedLongitude(std::string_view text);

/// A field of a station configuration whose text is wrong, and why.
struct StationProblem {
  std::string TStationCFG::*field;
  std::string text;  ///< as StationValueProblem says it
};

/// The first field, in the order of TStationCFG, whose text StationValueProblem rejects.
std::optional<StationProblem> FindStationProblem(const TStationCFG& station);

}  // namespace mirva
