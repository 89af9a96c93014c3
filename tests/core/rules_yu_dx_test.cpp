#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using YuDxTest = SessionTest;

constexpr char kName[] = "YU DX Contest";

TEST_F(YuDxTest, DefinesItuZonesAndEmptiesTheSecondList) {
  Setup("SP DX RTTY Contest", "YU1AB");
  Setup(kName, "YU1AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "YUDX");
  EXPECT_EQ(c.Modes, (std::vector<std::string>{"CW", "SSB"}));
  EXPECT_EQ(c.Bands, HF6());
  EXPECT_TRUE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "ITU zones");
  std::vector<std::string> zones = Keys(session.contest.MultList1);
  ASSERT_EQ(zones.size(), 75u);
  EXPECT_EQ(zones.front(), "01");
  EXPECT_EQ(zones[8], "09");
  EXPECT_EQ(zones[9], "10");
  EXPECT_EQ(zones.back(), "75");
  EXPECT_TRUE(session.contest.MultList2.empty());
  EXPECT_EQ(session.contest.MultList3.size(), 16u);  // untouched: the Polish provinces
}

TEST_F(YuDxTest, SameBandAndModeIsDupe) {
  Setup(kName, "DL1AB");
  Log(Qso("YU1XY", "40", "CW"));
  EXPECT_TRUE(session.IsDupe("YU1XY", "40", "CW", "03:00"));
  EXPECT_FALSE(session.IsDupe("YU1XY", "40", "SSB", "03:00"));
  EXPECT_FALSE(session.IsDupe("YU1XY", "80", "CW", "03:00"));
}

// Serbia, Germany and Hungary share ITU zone 28; England is in 27.
TEST_F(YuDxTest, PointsByItuZoneAndContinent) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"YU1AB", "YT2XY", 1}, {"YU1AB", "DL1XY", 1}, {"YU1AB", "HA5XY", 1}, {"YU1AB", "G3XY", 3},
      {"YU1AB", "K1XY", 5},  {"K1AB", "W2XY", 1},   {"K1AB", "VE1XY", 3},  {"K1AB", "YU1XY", 5},
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
