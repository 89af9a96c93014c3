#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using HelvetiaTest = SessionTest;

constexpr char kName[] = "Helvetia contest";

TEST_F(HelvetiaTest, SwissStationCountsCountriesAndCantons) {
  Setup(kName, "HB9AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "HELVETIA");
  EXPECT_EQ(c.Modes, (std::vector<std::string>{"CW", "SSB"}));
  EXPECT_EQ(c.Bands, HF6());
  EXPECT_TRUE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nHB9 provinces");
  std::vector<std::string> countries = Keys(session.contest.MultList1);
  EXPECT_EQ(countries.size(), session.countries.CountryList().size());
  EXPECT_EQ(countries.front(), "EA");
  EXPECT_EQ(countries.back(), "4U1V");
  std::vector<std::string> cantons = Keys(session.contest.MultList2);
  ASSERT_EQ(cantons.size(), 26u);
  EXPECT_EQ(cantons.front(), "AG");
  EXPECT_EQ(cantons.back(), "ZH");
}

// Liechtenstein is not "HB": its stations count the cantons only, like any other.
TEST_F(HelvetiaTest, OtherStationsCountCantonsOnly) {
  for (std::string_view own : {"DL1AB", "HB0AB"}) {
    Setup("CQ WW DX Contest (CW)", own);
    Setup(kName, own);
    EXPECT_EQ(session.Contest().MultCount, 1) << own;
    EXPECT_EQ(session.contest.MultCaptions, "HB9 provinces") << own;
    std::vector<std::string> cantons = Keys(session.contest.MultList1);
    ASSERT_EQ(cantons.size(), 26u) << own;
    EXPECT_EQ(cantons.front(), "AG");
    EXPECT_EQ(cantons.back(), "ZH");
    EXPECT_EQ(session.contest.MultList2.size(), 40u) << own;  // left from the contest before
  }
}

TEST_F(HelvetiaTest, SameBandIsDupe) {
  Setup(kName, "DL1AB");
  Log(Qso("HB9XY", "80", "CW"));
  EXPECT_TRUE(session.IsDupe("HB9XY", "80", "SSB", "10:00"));
  EXPECT_FALSE(session.IsDupe("HB9XY", "40", "CW", "10:00"));
}

TEST_F(HelvetiaTest, PointsBySwissSide) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"HB9AB", "HB9XY", 1}, {"HB9AB", "DL1XY", 1}, {"HB9AB", "EA8XY", 3},
      {"HB9AB", "K1XY", 3},  {"DL1AB", "HB9XY", 3}, {"DL1AB", "HB0XY", 0},
      {"K1AB", "HB9XY", 3},  {"K1AB", "DL1XY", 0},  {"HB0AB", "HB9XY", 3},
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
