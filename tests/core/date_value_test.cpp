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

}  // namespace
}  // namespace mirva
