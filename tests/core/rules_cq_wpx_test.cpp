#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using CqWpxTest = SessionTest;

TEST_F(CqWpxTest, DefinesEachVariant) {
  struct Case {
    const char* name;
    const char* cabrillo_name;
    const char* mode;
  } cases[] = {
      {"CQ WW WPX Contest (CW)", "CQ-WPX-CW", "CW"},
      {"CQ WW WPX Contest (SSB)", "CQ-WPX-SSB", "SSB"},
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
    EXPECT_EQ(session.contest.MultCaptions, "Word prefixes");
  }
}

// Prefixes are added as they are worked; the second list is not this contest's to touch.
TEST_F(CqWpxTest, EmptiesOnlyTheFirstList) {
  Setup("CQ WW DX Contest (SSB)", "DL1ABC");
  Setup("CQ WW WPX Contest (SSB)", "DL1ABC");
  EXPECT_TRUE(session.contest.MultList1.empty());
  EXPECT_EQ(session.contest.MultList2.size(), 40u);
}

TEST_F(CqWpxTest, PointsByCountryContinentAndBand) {
  struct Case {
    const char* own;
    const char* call;
    const char* band;
    int32_t points;
  } cases[] = {
      {"DL1ABC", "DL2XYZ", "20", 1}, {"DL1ABC", "DL2XYZ", "160", 1}, {"DL1ABC", "F1ABC", "15", 1},
      {"DL1ABC", "F1ABC", "40", 2},  {"DL1ABC", "K1ABC", "10", 3},   {"DL1ABC", "K1ABC", "80", 6},
      {"K1ABC", "W1AW", "80", 1},    {"K1ABC", "VE3ABC", "20", 2},   {"K1ABC", "VE3ABC", "160", 4},
      {"K1ABC", "DL2XYZ", "20", 3},  {"K1ABC", "DL2XYZ", "40", 6},   {"K1ABC", "XX9XX", "10", 3},
  };
  for (const Case& c : cases) {
    Setup("CQ WW WPX Contest (CW)", c.own);
    EXPECT_EQ(session.ComputeQsoPoints(Qso(c.call, c.band, "CW")), PointsTriple{c.points})
        << c.own << " " << c.call << " " << c.band;
  }
}

// The callsign decides the country, whatever prefix was stored with the QSO.
TEST_F(CqWpxTest, PointsLookTheCountryUpByCallsign) {
  Setup("CQ WW WPX Contest (SSB)", "DL1ABC");
  TQSOData abroad = Qso("K1ABC", "20", "SSB");
  abroad.CountryPrefix = "DL";
  EXPECT_EQ(session.ComputeQsoPoints(abroad).Points, 3);
  TQSOData home = Qso("DL2XYZ", "20", "SSB");
  home.CountryPrefix = "K";
  EXPECT_EQ(session.ComputeQsoPoints(home).Points, 1);
}

TEST_F(CqWpxTest, DuplicateOnTheSameBand) {
  Setup("CQ WW WPX Contest (CW)", "DL1ABC");
  EXPECT_EQ(Log(Qso("K1ABC", "20", "CW")).Points, 3);
  EXPECT_EQ(Log(Qso("K1ABC", "40", "CW")).Points, 6);
  EXPECT_EQ(Log(Qso("K1ABC", "20", "CW", "", "18:30")).Points, 0);
}

}  // namespace
}  // namespace mirva
