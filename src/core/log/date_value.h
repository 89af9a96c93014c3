#pragma once

#include <string>

namespace mirva {

/// A calendar date (proleptic Gregorian).
struct CivilDate {
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
};

/// The date of a date value (days since 1899-12-30; the time fraction is ignored). Values
/// outside the years 1 to 9999, or not numbers at all, give the nearest end of that range.
CivilDate DateOfValue(double value);
double DateValueOf(CivilDate date);
/// "YYYY-MM-DD".
std::string FormatIsoDate(double value);

}  // namespace mirva
