#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kName[] = "ARRL RTTY Round-Up Contest";

std::string Dotted(std::string_view prefix, std::string_view code) {
  return std::string(prefix) + std::string(kKeyDot) + std::string(code);
}

using ArrlRttyTest = SessionTest;

TEST_F(ArrlRttyTest, DefinesFiveBandsOfRtty) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "ARRL-RTTY");
  EXPECT_EQ(contest.Bands, HF5());
  EXPECT_EQ(contest.Modes, std::vector<std::string>{"RTTY"});
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC and K/VE states");
}

// Only K and VE give way to their states and provinces: Alaska and Hawaii stay countries.
TEST_F(ArrlRttyTest, ListsCountriesButKAndVeThenStatesAndProvinces) {
  Setup(kName, "DL1ABC");
  std::vector<std::string> keys = Keys(session.contest.MultList1);
  ASSERT_EQ(keys.size(), 35u + 51u + 14u);
  EXPECT_EQ(keys[0], "EA");
  EXPECT_EQ(keys[24], "TA1");
  EXPECT_EQ(keys[25], "KL");
  EXPECT_EQ(keys[26], "KH6");
  EXPECT_EQ(keys[27], "XE");
  EXPECT_EQ(keys[34], "4U1V");
  EXPECT_EQ(keys[35], Dotted("K", "AL"));
  EXPECT_EQ(keys[86], Dotted("VE", "NB"));
  EXPECT_EQ(keys[98], Dotted("VE", "PE"));
  EXPECT_EQ(keys[99], Dotted("VE", "NU"));
}

TEST_F(ArrlRttyTest, EveryQsoScoresOne) {
  Setup(kName, "DL1ABC");
  for (const char* call : {"DL2XYZ", "F1ABC", "K1ABC", "VK2ABC", "XX9XX"})
    EXPECT_EQ(session.ComputeQsoPoints(Qso(call, "20", "RTTY")), PointsTriple{1}) << call;
}

TEST_F(ArrlRttyTest, DuplicateOnTheSameBand) {
  Setup(kName, "DL1ABC");
  EXPECT_EQ(Log(Qso("K1ABC", "20", "RTTY")).Points, 1);
  EXPECT_EQ(Log(Qso("K1ABC", "15", "RTTY")).Points, 1);
  EXPECT_EQ(Log(Qso("K1ABC", "20", "RTTY", "", "23:59")).Points, 0);
}

}  // namespace
}  // namespace mirva
