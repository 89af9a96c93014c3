#include "ui_text.h"

#include <chrono>

#include "log/date_value.h"
#include "text/cp1251.h"

namespace mirva {

QString ToQt(std::string_view cp1251) {
  std::string utf8 = Cp1251ToUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

QDate ToQDate(double value) {
  std::chrono::year_month_day day(DayOfValue(value));
  return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
               static_cast<int>(static_cast<unsigned>(day.day())));
}

double FromQDate(QDate date) {
  std::chrono::year_month_day day{std::chrono::year(date.year()),
                                  std::chrono::month(static_cast<unsigned>(date.month())),
                                  std::chrono::day(static_cast<unsigned>(date.day()))};
  return DateValueOf(std::chrono::sys_days(day));
}

}  // namespace mirva
