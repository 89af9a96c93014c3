#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kName[] = "CQ WW RTTY WPX Contest";

using CqWpxRttyTest = SessionTest;

TEST_F(CqWpxRttyTest, DefinesFiveBandsOfRtty) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "CQ-WPX-RTTY");
  EXPECT_EQ(contest.Modes, std::vector<std::string>{"RTTY"});
  EXPECT_EQ(contest.Bands, HF5());
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "Word prefixes");
  EXPECT_TRUE(session.contest.MultList1.empty());
  EXPECT_EQ(session.contest.MultList2.size(), 40u);
}

// Only 80 and 40 m score double; the stored prefix, not the callsign, gives the country.
TEST_F(CqWpxRttyTest, PointsByStoredCountryMaritimeMobileContinentAndBand) {
  Setup(kName, "DL1ABC");
  struct Case {
    const char* call;
    const char* stored;  // empty: the callsign's country
    const char* band;
    int32_t points;
  } cases[] = {
      {"DL2XYZ", "", "20", 1},  {"DL2XYZ", "", "80", 2},   {"DL2XYZ/MM", "", "40", 2},
      {"K1ABC", "DL", "10", 1}, {"K1ABC/MM", "", "15", 2}, {"K1ABC/MM", "", "80", 4},
      {"F1ABC", "", "20", 2},   {"F1ABC", "", "40", 4},    {"DL2XYZ", "K", "20", 3},
      {"K1ABC", "", "10", 3},   {"K1ABC", "", "80", 6},    {"K1ABC", "", "160", 3},
  };
  for (const Case& c : cases) {
    TQSOData q = Qso(c.call, c.band, "RTTY");
    if (*c.stored)
      q.CountryPrefix = c.stored;
    EXPECT_EQ(session.ComputeQsoPoints(q), PointsTriple{c.points}) << c.call << " " << c.band;
  }
}

TEST_F(CqWpxRttyTest, DuplicateOnTheSameBand) {
  Setup(kName, "DL1ABC");
  EXPECT_EQ(Log(Qso("K1ABC", "20", "RTTY")).Points, 3);
  EXPECT_EQ(Log(Qso("K1ABC", "20", "RTTY")).Points, 0);
  EXPECT_FALSE(session.IsDupe("K1ABC", "80", "RTTY", "12:00"));
}

}  // namespace
}  // namespace mirva
