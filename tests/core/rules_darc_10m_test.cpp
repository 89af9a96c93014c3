#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kName[] = "DARC 10m-Contest";

using Darc10mTest = SessionTest;

TEST_F(Darc10mTest, DefinesOneBandTwoModesAndEveryCountry) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "DARC-10");
  EXPECT_EQ(contest.Bands, std::vector<std::string>{"10"});
  EXPECT_EQ(contest.Modes, (std::vector<std::string>{"CW", "SSB"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 1);
  std::vector<std::string> keys = Keys(session.contest.MultList1);
  ASSERT_EQ(keys.size(), 37u);
  EXPECT_EQ(keys[0], "EA");
  EXPECT_EQ(keys[15], "IG9");
  EXPECT_EQ(keys[36], "4U1V");
}

TEST_F(Darc10mTest, KeepsTheCaptionsOfThePreviousContest) {
  EXPECT_TRUE(session.contest.MultCaptions.empty());
  Setup(kName, "DL1ABC");
  EXPECT_TRUE(session.contest.MultCaptions.empty());
  Setup("ARRL 10 meter Contest", "DL1ABC");
  Setup(kName, "DL1ABC");
  EXPECT_EQ(session.contest.MultCaptions, "DXCC and K/VE states");
  EXPECT_EQ(session.contest.MultList1.size(), 37u);
}

// A station may be logged again and again, each time for one point.
TEST_F(Darc10mTest, NeverADuplicate) {
  Setup(kName, "DL1ABC");
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(session.IsDupe("DL2XYZ", "10", "CW", "12:00"));
    EXPECT_EQ(Log(Qso("DL2XYZ", "10", "CW")), PointsTriple{1});
  }
  EXPECT_EQ(Log(Qso("K1ABC", "10", "SSB")), PointsTriple{1});
}

}  // namespace
}  // namespace mirva
