#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace mirva {

/// The day of a date value (days since 1899-12-30; the time fraction is ignored). Values
/// outside the years 1 to 9999, or not numbers at all, give the nearest end of that range.
std::chrono::sys_days DayOfValue(double value);
double DateValueOf(std::chrono::sys_days day);
/// Whether a date value names a day of the years 1 to 9999 (its time fraction aside).
bool IsCalendarDate(double value);
/// The day of a date value written by a pattern in which "yyyy", "mmm", "mm" and "dd" stand
/// for the four-digit year, the English three-letter month ("Dec"), the two-digit month and
/// the two-digit day; every other character is copied.
std::string FormatDate(double value, std::string_view pattern);
/// "YYYY-MM-DD".
std::string FormatIsoDate(double value);
/// The date value of a "YYYY-MM-DD" date of the calendar, years 0001 to 9999; nothing for any
/// other text.
std::optional<double> ParseIsoDate(std::string_view text);
/// The "hhnn" of a stored "hh:nn": characters 1-2 and 4-5, as many of them as the text has.
std::string HourMinuteDigits(std::string_view time);
/// The "hh:nn" of a time of day written "HHMM" or "HH:MM" (00:00 to 23:59); nothing for any
/// other text.
std::optional<std::string> ParseTimeOfDay(std::string_view text);

}  // namespace mirva
