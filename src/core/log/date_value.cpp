#include "log/date_value.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace mirva {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr sys_days kEpoch = sys_days(year_month_day(year(1899), month(12), day(30)));
constexpr double kFirst = -693593;  // 0001-01-01
constexpr double kLast = 2958465;   // 9999-12-31

}  // namespace

CivilDate DateOfValue(double value) {
  double days = std::isnan(value) ? 0 : std::floor(value);
  if (days < kFirst)
    days = kFirst;
  if (days > kLast)
    days = kLast;
  year_month_day ymd(kEpoch + std::chrono::days(static_cast<long>(days)));
  return {static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
          static_cast<unsigned>(ymd.day())};
}

double DateValueOf(CivilDate date) {
  sys_days d(year_month_day(year(date.year), month(date.month), day(date.day)));
  return static_cast<double>((d - kEpoch).count());
}

std::string FormatIsoDate(double value) {
  CivilDate d = DateOfValue(value);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", d.year, d.month, d.day);
  return buf;
}

}  // namespace mirva
