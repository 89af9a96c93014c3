#pragma once

#include <chrono>
#include <string>

namespace mirva {

/// The day of a date value (days since 1899-12-30; the time fraction is ignored). Values
/// outside the years 1 to 9999, or not numbers at all, give the nearest end of that range.
std::chrono::sys_days DayOfValue(double value);
double DateValueOf(std::chrono::sys_days day);
/// "YYYY-MM-DD".
std::string FormatIsoDate(double value);

}  // namespace mirva
