#include "reference/station.h"

#include <charconv>
#include <limits>

#include "log/input_rule.h"

namespace mirva {

namespace {

/// A number field of the station and the range its text must lie in.
struct NumberField {
  std::string TStationCFG::*field;
  const char* must_be;
  bool whole;
  int low;
  int high;
};

constexpr NumberField kNumberFields[] = {
    {&TStationCFG::ITU, "the ITU zone must be a whole number", true, 1, 90},
    {&TStationCFG::CQ, "the CQ zone must be a whole number", true, 1, 40},
    {&TStationCFG::Lat, "the latitude must be a number of degrees", false, -90, 90},
    {&TStationCFG::Long, "the longitude must be a number of degrees", false, -180, 180},
};

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

/// The value of a decimal number: digits after an optional minus and, unless `whole`, an
/// optional fraction after a point. Nothing for any other text.
std::optional<double> DecimalNumber(std::string_view text, bool whole) {
  std::string_view unsigned_part = text.starts_with('-') ? text.substr(1) : text;
  std::size_t point = unsigned_part.find('.');
  bool has_fraction = point != std::string_view::npos;
  if (!AllDigits(unsigned_part.substr(0, point)) ||
      (has_fraction && (whole || !AllDigits(unsigned_part.substr(point + 1)))))
    return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

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

std::string StationValueProblem(std::string TStationCFG::*field, std::string_view value) {
  bool call = field == &TStationCFG::Call;
  CheckedInput checked = CheckInputText(
      {call ? "station callsign" : "station text", std::numeric_limits<std::size_t>::max(), call},
      value);
  if (checked.fault != InputFault::kNone)
    return checked.message;
  for (const NumberField& number : kNumberFields) {
    if (number.field != field || value.empty())
      continue;
    std::optional<double> parsed = DecimalNumber(value, number.whole);
    if (!parsed || *parsed < number.low || *parsed > number.high)
      return std::string(number.must_be) + " from " + std::to_string(number.low) + " to " +
             std::to_string(number.high);
  }
  return "";
}

std::string TurnedLongitude(std::string_view text) {
  std::optional<double> value = DecimalNumber(text, false);
  if (!value || *value == 0)
    return std::string(text);
  return text.starts_with('-') ? std::string(text.substr(1)) : "-" + std::string(text);
}

std::optional<StationProblem> FindStationProblem(const TStationCFG& station) {
  for (auto field :
       {&TStationCFG::Call, &TStationCFG::Country, &TStationCFG::ITU, &TStationCFG::CQ,
        &TStationCFG::Cont, &TStationCFG::Lat, &TStationCFG::Long, &TStationCFG::State}) {
    std::string text = StationValueProblem(field, station.*field);
    if (!text.empty())
      return StationProblem{field, std::move(text)};
  }
  return std::nullopt;
}

}  // namespace mirva
