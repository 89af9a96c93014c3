#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

std::string Dotted(std::string_view prefix, std::string_view code) {
  return std::string(prefix) + std::string(kKeyDot) + std::string(code);
}

using ArrlDxTest = SessionTest;

TEST_F(ArrlDxTest, DefinesEachVariant) {
  struct Case {
    const char* name;
    const char* cabrillo_name;
    const char* mode;
  } cases[] = {
      {"ARRL International DX Contest (CW)", "ARRL-DX-CW", "CW"},
      {"ARRL International DX Contest (SSB)", "ARRL-DX-SSB", "SSB"},
  };
  for (const Case& c : cases) {
    Setup(c.name, "DL1ABC");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, c.name);
    EXPECT_EQ(contest.CabrilloName, c.cabrillo_name);
    EXPECT_EQ(contest.Modes, std::vector<std::string>{c.mode});
    EXPECT_EQ(contest.Bands, HF6());
    EXPECT_TRUE(contest.UseWAE);
    EXPECT_EQ(contest.MultCount, 1);
    EXPECT_EQ(session.contest.MultCaptions, "ARRL sections");
  }
}

// The world, Alaska included, works the states and provinces (PEI for Prince Edward Island).
TEST_F(ArrlDxTest, DxStationListsStatesAndProvinces) {
  for (const char* call : {"DL1ABC", "KL1ABC"}) {
    Setup("ARRL International DX Contest (CW)", call);
    std::vector<std::string> keys = Keys(session.contest.MultList1);
    ASSERT_EQ(keys.size(), 51u + 14u) << call;
    EXPECT_EQ(keys[0], Dotted("K", "AL"));
    EXPECT_EQ(keys[50], Dotted("K", "WY"));
    EXPECT_EQ(keys[51], Dotted("VE", "NB"));
    EXPECT_EQ(keys[63], Dotted("VE", "PEI"));
    EXPECT_EQ(keys[64], Dotted("VE", "NU"));
  }
}

TEST_F(ArrlDxTest, UsAndCanadianStationsListTheOtherCountries) {
  for (const char* call : {"K1ABC", "VE3ABC"}) {
    Setup("ARRL International DX Contest (SSB)", call);
    std::vector<std::string> keys = Keys(session.contest.MultList1);
    ASSERT_EQ(keys.size(), 35u) << call;
    EXPECT_EQ(keys[0], "EA");
    EXPECT_EQ(keys[25], "KL");
    EXPECT_EQ(keys[26], "KH6");
    EXPECT_EQ(keys[27], "XE");
    EXPECT_EQ(keys[34], "4U1V");
  }
}

TEST_F(ArrlDxTest, EveryQsoScoresThreeOnceABand) {
  Setup("ARRL International DX Contest (CW)", "K1ABC");
  EXPECT_EQ(Log(Qso("DL1ABC", "20", "CW")), PointsTriple{3});
  EXPECT_EQ(Log(Qso("W1AW", "160", "CW")), PointsTriple{3});
  EXPECT_EQ(Log(Qso("DL1ABC", "40", "CW")), PointsTriple{3});
  EXPECT_EQ(Log(Qso("DL1ABC", "20", "CW")), PointsTriple{0});
}

}  // namespace
}  // namespace mirva
