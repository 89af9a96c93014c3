#include <gtest/gtest.h>

#include <algorithm>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using AnatolianRttyTest = SessionTest;

constexpr char kName[] = "Anatolian WW RTTY Contest";

bool Holds(const std::vector<std::string>& keys, std::string_view key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST_F(AnatolianRttyTest, DefinesCountriesWithoutWaeAndCallAreas) {
  Setup(kName, "TA2AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "Anatolian RTTY");
  EXPECT_EQ(c.Modes, std::vector<std::string>{"RTTY"});
  EXPECT_EQ(c.Bands, HF5());
  EXPECT_FALSE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nK/JA/TA/VE/VK call areas");

  std::vector<std::string> countries = Keys(session.contest.MultList1);
  EXPECT_EQ(countries.size(), session.countries.CountryList().size() - 3);
  EXPECT_TRUE(Holds(countries, "TA"));
  EXPECT_FALSE(Holds(countries, "TA1"));
  EXPECT_FALSE(Holds(countries, "IG9"));
  EXPECT_FALSE(Holds(countries, "4U1V"));

  std::vector<std::string> areas = Keys(session.contest.MultList2);
  ASSERT_EQ(areas.size(), 50u);
  EXPECT_EQ(areas[0], "JA0");
  EXPECT_EQ(areas[9], "JA9");
  EXPECT_EQ(areas[10], "K0");
  EXPECT_EQ(areas[19], "K9");
  EXPECT_EQ(areas[20], "TA0");
  EXPECT_EQ(areas[49], "VK9");
}

TEST_F(AnatolianRttyTest, SameBandIsDupe) {
  Setup(kName, "TA2AB");
  Log(Qso("DL1AB", "20", "RTTY"));
  EXPECT_TRUE(session.IsDupe("DL1AB", "20", "RTTY", "20:00"));
  EXPECT_FALSE(session.IsDupe("DL1AB", "15", "RTTY", "20:00"));
}

TEST_F(AnatolianRttyTest, PointsByCountryAndContinent) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"TA2AB", "TA3XY", 5},  {"TA2AB", "TA1XY", 5},  // no WAE countries: European Turkey is Turkey
      {"TA2AB", "JA1XY", 10}, {"TA2AB", "DL1XY", 15}, {"DL1AB", "DL2XY", 5},
      {"DL1AB", "G3XY", 10},  {"DL1AB", "TA3XY", 15},
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "RTTY"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
