#include "log/date_value.h"

#include <cmath>
#include <cstdio>

namespace mirva {

namespace {

using std::chrono::sys_days;

constexpr sys_days kEpoch = std::chrono::year(1899) / 12 / 30;
constexpr double kFirst = -693593;  // 0001-01-01
constexpr double kLast = 2958465;   // 9999-12-31

// Dates read the same whatever the operator's language: the month names are English.
constexpr const char* kMonthAbbreviations[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

/// The value of a run of decimal digits, or nothing when a character is not a digit.
std::optional<unsigned> Digits(std::string_view text) {
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

}  // namespace

sys_days DayOfValue(double value) {
  double days = std::isnan(value) ? 0 : std::floor(value);
  if (days < kFirst)
    days = kFirst;
  if (days > kLast)
    days = kLast;
  return kEpoch + std::chrono::days(static_cast<long>(days));
}

bool IsCalendarDate(double value) {
  return std::isfinite(value) && std::floor(value) >= kFirst && std::floor(value) <= kLast;
}

double DateValueOf(sys_days day) {
  return static_cast<double>((day - kEpoch).count());
}

std::string FormatDate(double value, std::string_view pattern) {
  std::chrono::year_month_day d(DayOfValue(value));
  char year[8], month[4], day[4];
  std::snprintf(year, sizeof year, "%04d", static_cast<int>(d.year()));
  std::snprintf(month, sizeof month, "%02u", static_cast<unsigned>(d.month()));
  std::snprintf(day, sizeof day, "%02u", static_cast<unsigned>(d.day()));
  std::string text;
  for (std::size_t i = 0; i < pattern.size();) {
    std::string_view rest = pattern.substr(i);
    if (rest.starts_with("yyyy")) {
      text += year;
      i += 4;
    } else if (rest.starts_with("mmm")) {
      text += kMonthAbbreviations[static_cast<unsigned>(d.month()) - 1];
      i += 3;
    } else if (rest.starts_with("mm")) {
      text += month;
      i += 2;
    } else if (rest.starts_with("dd")) {
      text += day;
      i += 2;
    } else {
      text += pattern[i++];
    }
  }
  return text;
}

std::string FormatIsoDate(double value) {
  return FormatDate(value, "yyyy-mm-dd");
}

std::string HourMinuteDigits(std::string_view time) {
  std::string digits(time.substr(0, 2));
  if (time.size() > 3)
    digits += time.substr(3, 2);
  return digits;
}

std::optional<double> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-')
    return std::nullopt;
  std::optional<unsigned> year = Digits(text.substr(0, 4));
  std::optional<unsigned> month = Digits(text.substr(5, 2));
  std::optional<unsigned> day = Digits(text.substr(8, 2));
  if (!year || !month || !day || *year == 0)
    return std::nullopt;
  std::chrono::year_month_day date{std::chrono::year(static_cast<int>(*year)),
                                   std::chrono::month(*month), std::chrono::day(*day)};
  if (!date.ok())
    return std::nullopt;
  return DateValueOf(sys_days(date));
}

std::optional<std::string> ParseTimeOfDay(std::string_view text) {
  bool colon = text.size() == 5 && text[2] == ':';
  if (text.size() != 4 && !colon)
    return std::nullopt;
  std::string_view hours = text.substr(0, 2);
  std::string_view minutes = text.substr(text.size() - 2);
  std::optional<unsigned> h = Digits(hours);
  std::optional<unsigned> m = Digits(minutes);
  if (!h || !m || *h > 23 || *m > 59)
    return std::nullopt;
  return std::string(hours) + ":" + std::string(minutes);
}

}  // namespace mirva
