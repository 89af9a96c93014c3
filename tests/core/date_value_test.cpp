#include "log/date_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace mirva {
namespace {

TEST(DateValue, KnownDates) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {2, "1900-01-01"},     {60, "1900-02-28"},       {61, "1900-03-01"},
      {36526, "2000-01-01"}, {46000.99, "2025-12-09"}, {-1, "1899-12-29"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatIsoDate(c.value), c.text) << c.value;
    EXPECT_EQ(DateValueOf(DayOfValue(c.value)),
              static_cast<double>(static_cast<long>(c.value < 0 ? -1 : c.value)));
  }
}

TEST(DateValue, DamagedValuesStayInRange) {
  EXPECT_EQ(FormatIsoDate(std::numeric_limits<double>::quiet_NaN()), "1899-12-30");
  EXPECT_EQ(FormatIsoDate(1e300), "9999-12-31");
  EXPECT_EQ(FormatIsoDate(-1e300), "0001-01-01");
}

TEST(DateValue, ReportPatterns) {
  double value = 37320.75;  // 2002-03-05, evening
  EXPECT_EQ(FormatDate(value, "yyyy-mm-dd"), "2002-03-05");
  EXPECT_EQ(FormatDate(value, "mm-dd-yyyy"), "03-05-2002");
  EXPECT_EQ(FormatDate(value, "yyyymmdd"), "20020305");
  EXPECT_EQ(FormatDate(-693593, "mm-dd-yyyy"), "01-01-0001");
  EXPECT_EQ(FormatDate(value, "dd-mmm-yyyy"), "05-Mar-2002");
  EXPECT_EQ(FormatDate(2958465, "dd-mmm-yyyy"), "31-Dec-9999");
}

TEST(DateValue, ParsesOnlyCalendarDates) {
  EXPECT_EQ(ParseIsoDate("2025-11-29"), DateValueOf(std::chrono::year(2025) / 11 / 29));
  EXPECT_EQ(ParseIsoDate("2024-02-29"), DateValueOf(std::chrono::year(2024) / 2 / 29));
  for (std::string_view bad : {"2025-02-29", "2025-13-01", "2025-11-00", "0000-01-01", "2025-1-29",
                               "2025/11/29", "2025-11-29 ", "+025-11-29", ""})
    EXPECT_EQ(ParseIsoDate(bad), std::nullopt) << bad;
}

TEST(DateValue, ParsesTimesOfDayWithOrWithoutColon) {
  EXPECT_EQ(ParseTimeOfDay("0000"), "00:00");
  EXPECT_EQ(ParseTimeOfDay("23:59"), "23:59");
  for (std::string_view bad : {"2400", "1260", "12:6", "12-30", "1230 ", "123", "1", ""})
    EXPECT_EQ(ParseTimeOfDay(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace mirva
