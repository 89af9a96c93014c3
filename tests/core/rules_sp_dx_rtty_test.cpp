#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using SpDxRttyTest = SessionTest;

constexpr char kName[] = "SP DX RTTY Contest";

TEST_F(SpDxRttyTest, DefinesThreeLists) {
  Setup(kName, "SP5AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "SPDX RTTY");
  EXPECT_EQ(c.Modes, std::vector<std::string>{"RTTY"});
  EXPECT_EQ(c.Bands, HF5());
  EXPECT_TRUE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 3);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nContinents\r\nPolish provinces");
  std::vector<std::string> countries = Keys(session.contest.MultList1);
  EXPECT_EQ(countries.size(), session.countries.CountryList().size());
  EXPECT_EQ(countries.front(), "EA");
  EXPECT_EQ(Keys(session.contest.MultList2),
            (std::vector<std::string>{"AF", "AS", "EU", "NA", "OC", "SA"}));
  std::vector<std::string> provinces = Keys(session.contest.MultList3);
  ASSERT_EQ(provinces.size(), 16u);
  EXPECT_EQ(provinces.front(), "B");
  EXPECT_EQ(provinces.back(), "Z");
}

TEST_F(SpDxRttyTest, SameBandIsDupe) {
  Setup(kName, "DL1AB");
  Log(Qso("SP5XY", "20", "RTTY"));
  EXPECT_TRUE(session.IsDupe("SP5XY", "20", "RTTY", "18:00"));
  EXPECT_FALSE(session.IsDupe("SP5XY", "10", "RTTY", "18:00"));
}

TEST_F(SpDxRttyTest, PointsByCountryAndContinent) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"SP5AB", "SQ9XY", 2}, {"SP5AB", "DL1XY", 5}, {"SP5AB", "K1XY", 10},
      {"K1AB", "W2XY", 2},   {"K1AB", "VE1XY", 5},  {"K1AB", "SP5XY", 10},
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "RTTY"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
