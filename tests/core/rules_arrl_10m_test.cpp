#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kName[] = "ARRL 10 meter Contest";

std::string Dotted(std::string_view prefix, std::string_view code) {
  return std::string(prefix) + std::string(kKeyDot) + std::string(code);
}

using Arrl10mTest = SessionTest;

TEST_F(Arrl10mTest, DefinesOneBandTwoModes) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "ARRL-10");
  EXPECT_EQ(contest.Bands, std::vector<std::string>{"10"});
  EXPECT_EQ(contest.Modes, (std::vector<std::string>{"CW", "SSB"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC and K/VE states");
}

// The 37 fixture countries less K, KL, KH6 and VE, then 51 states and 14 provinces.
TEST_F(Arrl10mTest, ListsStatesAndProvincesInsteadOfTheirCountries) {
  Setup(kName, "DL1ABC");
  std::vector<std::string> keys = Keys(session.contest.MultList1);
  ASSERT_EQ(keys.size(), 33u + 51u + 14u);
  EXPECT_EQ(keys[0], "EA");
  EXPECT_EQ(keys[24], "TA1");
  EXPECT_EQ(keys[25], "XE");
  EXPECT_EQ(keys[32], "4U1V");
  EXPECT_EQ(keys[33], Dotted("K", "AL"));
  EXPECT_EQ(keys[83], Dotted("K", "WY"));
  EXPECT_EQ(keys[84], Dotted("VE", "NB"));
  EXPECT_EQ(keys[96], Dotted("VE", "PE"));
  EXPECT_EQ(keys[97], Dotted("VE", "NU"));
}

TEST_F(Arrl10mTest, ReplacesTheListOfThePreviousContest) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Setup(kName, "DL1ABC");
  EXPECT_EQ(session.contest.MultList1.size(), 98u);
}

TEST_F(Arrl10mTest, PointsBySuffixThenMode) {
  Setup(kName, "DL1ABC");
  struct Case {
    const char* call;
    const char* mode;
    int32_t points;
  } cases[] = {
      {"K1ABC/T", "SSB", 8}, {"W1AW/N", "CW", 8},   {"K1ABC/TX", "RTTY", 8}, {"DL2XYZ", "CW", 4},
      {"DL2XYZ", "SSB", 2},  {"F1ABC/P", "SSB", 2}, {"DL2XYZ", "RTTY", 0},   {"DL2XYZ", "cw", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BasePoints(c.call, "10", c.mode), c.points) << c.call << " " << c.mode;
}

// A repeat needs the same band in one earlier QSO and the same mode in one, not both in one.
TEST_F(Arrl10mTest, DuplicateNeedsTheBandAndTheModeWorked) {
  Setup(kName, "DL1ABC");
  Log(Qso("K1ABC", "10", "CW"));
  EXPECT_FALSE(session.IsDupe("K1ABC", "10", "SSB", "12:00"));
  EXPECT_TRUE(session.IsDupe("K1ABC", "10", "CW", "12:00"));
  Log(Qso("W1AW", "10", "SSB"));
  Log(Qso("W1AW", "20", "CW"));
  EXPECT_TRUE(session.IsDupe("W1AW", "10", "CW", "12:00"));
}

}  // namespace
}  // namespace mirva
