#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using AriTest = SessionTest;

constexpr char kName[] = "ARI International DX Contest";

std::string Province(std::string_view code) {
  return "I\xB7" + std::string(code);
}

TEST_F(AriTest, DefinesContest) {
  Setup(kName, "DL1AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "ARI-DX");
  EXPECT_EQ(c.Modes, (std::vector<std::string>{"CW", "SSB", "DIGI"}));
  EXPECT_EQ(c.Bands, HF6());
  EXPECT_TRUE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC and Italy provinces");
}

// Italy, Sardinia and African Italy are never countries here; the provinces follow the
// countries for a station outside Italy only, Sardinia counting as Italy.
TEST_F(AriTest, ProvincesOnlyForStationsAbroad) {
  struct Case {
    std::string_view own;
    std::size_t provinces;
  } cases[] = {{"DL1AB", 110}, {"K1AB", 110}, {"I1AB", 0}, {"IS0AB", 0}};
  std::size_t countries = session.countries.CountryList().size() - 3;
  for (const Case& c : cases) {
    Setup(kName, c.own);
    std::vector<std::string> keys = Keys(session.contest.MultList1);
    ASSERT_EQ(keys.size(), countries + c.provinces) << c.own;
    for (std::size_t i = 0; i < countries; ++i)
      EXPECT_NE(keys[i][0], 'I') << keys[i];
    if (c.provinces > 0) {
      EXPECT_EQ(keys[countries], Province("AL"));
      EXPECT_EQ(keys.back(), Province("VS"));
    }
  }
}

TEST_F(AriTest, ProvinceCodesAreTrimmed) {
  dir.Write("ITALY.DOM", "AL\t=Alessandria\r\n\tAT=Asti\r\n");
  Setup(kName, "DL1AB");
  std::vector<std::string> keys = Keys(session.contest.MultList1);
  ASSERT_GE(keys.size(), 2u);
  EXPECT_EQ(keys[keys.size() - 2], Province("AL"));
  EXPECT_EQ(keys.back(), Province("AT"));
}

TEST_F(AriTest, SameBandAndModeIsDupe) {
  Setup(kName, "DL1AB");
  Log(Qso("I1XY", "20", "DIGI"));
  EXPECT_TRUE(session.IsDupe("I1XY", "20", "DIGI", "10:00"));
  EXPECT_FALSE(session.IsDupe("I1XY", "20", "CW", "10:00"));
  EXPECT_FALSE(session.IsDupe("I1XY", "40", "DIGI", "10:00"));
}

TEST_F(AriTest, PointsFavourItaly) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"I1AB", "IK2XY", 0},  {"I1AB", "IS0XY", 0},  {"IS0AB", "I1XY", 0},  {"I1AB", "DL1XY", 1},
      {"I1AB", "K1XY", 3},   {"DL1AB", "DL2XY", 0}, {"DL1AB", "I1XY", 10}, {"DL1AB", "IS0XY", 10},
      {"K1AB", "IG9XY", 10}, {"DL1AB", "F5XY", 1},  {"DL1AB", "JA1XY", 3},
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "SSB"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
