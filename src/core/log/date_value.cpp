#include "log/date_value.h"

#include <cmath>
#include <cstdio>

namespace mirva {

namespace {

using std::chrono::sys_days;

constexpr sys_days kEpoch = std::chrono::year(1899) / 12 / 30;
constexpr double kFirst = -693593;  // 0001-01-01
constexpr double kLast = 2958465;   // 9999-12-31

}  // namespace

sys_days DayOfValue(double value) {
  double days = std::isnan(value) ? 0 : std::floor(value);
  if (days < kFirst)
    days = kFirst;
  if (days > kLast)
    days = kLast;
  return kEpoch + std::chrono::days(static_cast<long>(days));
}

double DateValueOf(sys_days day) {
  return static_cast<double>((day - kEpoch).count());
}

std::string FormatIsoDate(double value) {
  std::chrono::year_month_day d(DayOfValue(value));
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return buf;
}

}  // namespace mirva
