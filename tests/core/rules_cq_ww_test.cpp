#include <gtest/gtest.h>

#include "session_fixture.h"

namespace mirva {
namespace {

using CqWwTest = SessionTest;

TEST_F(CqWwTest, DefinitionPerVariant) {
  struct Case {
    const char* name;
    const char* cabrillo;
    const char* mode;
  } cases[] = {{"CQ WW DX Contest (CW)", "CQ-WW-CW", "CW"},
               {"CQ WW DX Contest (SSB)", "CQ-WW-SSB", "SSB"}};
  for (const Case& c : cases) {
    Setup(c.name, "DL1ABC");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.CabrilloName, c.cabrillo);
    EXPECT_EQ(contest.Modes, std::vector<std::string>{c.mode});
    EXPECT_EQ(contest.Bands, (std::vector<std::string>{"160", "80", "40", "20", "15", "10"}));
    EXPECT_TRUE(contest.UseWAE);
    EXPECT_EQ(contest.MultCount, 2);
    EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nCQ zones");
    ASSERT_EQ(session.contest.MultList1.size(), session.countries.CountryList().size());
    EXPECT_EQ(session.contest.MultList1.front().Name, "EA");
    EXPECT_EQ(session.contest.MultList1.back().Name, "4U1V");  // WAE-only countries too
    ASSERT_EQ(session.contest.MultList2.size(), 40u);
    EXPECT_EQ(session.contest.MultList2.front().Name, "01");
    EXPECT_EQ(session.contest.MultList2.back().Name, "40");
  }
}

TEST_F(CqWwTest, PointsByCountryAndContinent) {
  struct Case {
    const char* own;
    const char* worked;
    int32_t points;
  } cases[] = {
      {"K1ABC", "VE3ABC", 2},  // North America working North America
      {"K1ABC", "XE1ABC", 2},
      {"K1ABC", "W2ABC", 0},   // own country
      {"K1ABC", "DL1ABC", 3},
      {"DL1ABC", "F5ABC", 1},  // Europe working Europe
      {"DL1ABC", "DA0ABC", 0},
      {"DL1ABC", "JA1ABC", 3},
      {"DL1ABC", "QQ1QQ", 3},  // unknown country: another continent
  };
  for (const Case& c : cases) {
    Setup("CQ WW DX Contest (CW)", c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points) << c.own << " " << c.worked;
  }
}

TEST_F(CqWwTest, SameCallOnAnotherBandIsNoDuplicate) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  EXPECT_EQ(Log(Qso("JA1ABC", "20", "CW")).Points, 3);
  EXPECT_EQ(Log(Qso("JA1ABC", "20", "CW")).Points, 0);
  EXPECT_TRUE(session.IsDupe("JA1ABC", "20", "CW", "12:00"));
  EXPECT_FALSE(session.IsDupe("JA1ABC", "15", "CW", "12:00"));
}

}  // namespace
}  // namespace mirva
