#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using HaDxTest = SessionTest;

constexpr char kName[] = "Hungarian DX Contest";

TEST_F(HaDxTest, DefinesCountiesAndLeavesOtherListsAlone) {
  Setup("CQ WW DX Contest (CW)", "DL1AB");
  Setup(kName, "DL1AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "HADXCW");
  EXPECT_EQ(c.Modes, std::vector<std::string>{"CW"});
  EXPECT_EQ(c.Bands, HF6());
  EXPECT_TRUE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "Hungary provinces and HADXC members");
  std::vector<std::string> counties = Keys(session.contest.MultList1);
  ASSERT_EQ(counties.size(), 20u);
  EXPECT_EQ(counties.front(), "HA\xB7GY");
  EXPECT_EQ(counties.back(), "HA\xB7SA");
  EXPECT_EQ(session.contest.MultList2.size(), 40u);  // the CQ zones of the contest before
}

TEST_F(HaDxTest, SameBandIsDupeWhateverTheMode) {
  Setup(kName, "DL1AB");
  Log(Qso("HA5XY", "20", "CW"));
  EXPECT_TRUE(session.IsDupe("HA5XY", "20", "SSB", "12:30"));
  EXPECT_FALSE(session.IsDupe("HA5XY", "15", "CW", "12:30"));
  EXPECT_FALSE(session.IsDupe("HA5XZ", "20", "CW", "12:30"));
}

TEST_F(HaDxTest, PointsByContinentAndHungary) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"HA1AB", "HA5XY", 6},                         // same continent, Hungary
      {"HA1AB", "DL1AB", 0},                         // same continent, not Hungary
      {"HA1AB", "K1AB", 3},                          // another continent
      {"DL1AB", "HA5XY", 6},                         // any European station working Hungary
      {"DL1AB", "G3AB", 0},  {"K1AB", "HA5XY", 3},   // Hungary from another continent
      {"K1AB", "VE3AB", 0},  {"EA8AB", "EA3AB", 3},  // the Canaries are in Africa
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
