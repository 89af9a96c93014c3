#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

std::string Dotted(std::string_view prefix, std::string_view code) {
  return std::string(prefix) + std::string(kKeyDot) + std::string(code);
}

using Cq160mTest = SessionTest;

TEST_F(Cq160mTest, DefinesEachVariantOnTopBandOnly) {
  struct Case {
    const char* name;
    const char* cabrillo_name;
    const char* mode;
  } cases[] = {
      {"CQ WW 160m DX contest (CW)", "CQ-160-CW", "CW"},
      {"CQ WW 160m DX contest (SSB)", "CQ-160-SSB", "SSB"},
  };
  for (const Case& c : cases) {
    Setup(c.name, "DL1ABC");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, c.name);
    EXPECT_EQ(contest.CabrilloName, c.cabrillo_name);
    EXPECT_EQ(contest.Modes, std::vector<std::string>{c.mode});
    EXPECT_EQ(contest.Bands, std::vector<std::string>{"160"});
    EXPECT_TRUE(contest.UseWAE);
    EXPECT_EQ(contest.MultCount, 1);
    EXPECT_EQ(session.contest.QsoStat.cells[1][0], "160");
    EXPECT_EQ(session.contest.QsoStat.cells[2][0], " ");
    EXPECT_EQ(session.contest.QsoStat.cells[0][1], c.mode);
  }
}

TEST_F(Cq160mTest, KeepsTheCaptionsOfThePreviousContest) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Setup("CQ WW 160m DX contest (CW)", "DL1ABC");
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nCQ zones");
  EXPECT_EQ(session.contest.MultList2.size(), 40u);
}

TEST_F(Cq160mTest, ListsCountriesButKAndVeThenStatesAndProvinces) {
  Setup("CQ WW 160m DX contest (SSB)", "K1ABC");
  std::vector<std::string> keys = Keys(session.contest.MultList1);
  ASSERT_EQ(keys.size(), 35u + 51u + 14u);
  EXPECT_EQ(keys[0], "EA");
  EXPECT_EQ(keys[25], "KL");
  EXPECT_EQ(keys[26], "KH6");
  EXPECT_EQ(keys[27], "XE");
  EXPECT_EQ(keys[34], "4U1V");
  EXPECT_EQ(keys[35], Dotted("K", "AL"));
  EXPECT_EQ(keys[85], Dotted("K", "WY"));
  EXPECT_EQ(keys[86], Dotted("VE", "NB"));
  EXPECT_EQ(keys[98], Dotted("VE", "PE"));
}

// The country is the one stored with the QSO, not the one its callsign would give now.
TEST_F(Cq160mTest, PointsByStoredCountryThenContinent) {
  struct Case {
    const char* own;
    const char* call;
    const char* stored;  // empty: the callsign's country
    int32_t points;
  } cases[] = {
      {"DL1ABC", "DL2XYZ", "", 2},  {"DL1ABC", "F1ABC", "", 5},   {"DL1ABC", "K1ABC", "", 10},
      {"DL1ABC", "K1ABC", "DL", 2}, {"DL1ABC", "DL2XYZ", "F", 5}, {"DL1ABC", "DL2XYZ", "K", 10},
      {"K1ABC", "VE3ABC", "", 5},   {"K1ABC", "W1AW", "", 2},     {"K1ABC", "XX9XX", "", 10},
  };
  for (const Case& c : cases) {
    Setup("CQ WW 160m DX contest (CW)", c.own);
    TQSOData q = Qso(c.call, "160", "CW");
    if (*c.stored)
      q.CountryPrefix = c.stored;
    EXPECT_EQ(session.ComputeQsoPoints(q), PointsTriple{c.points}) << c.own << " " << c.call;
  }
}

TEST_F(Cq160mTest, DuplicateOnTheSameBand) {
  Setup("CQ WW 160m DX contest (CW)", "DL1ABC");
  EXPECT_EQ(Log(Qso("K1ABC", "160", "CW")).Points, 10);
  EXPECT_TRUE(session.IsDupe("K1ABC", "160", "CW", "23:00"));
  EXPECT_FALSE(session.IsDupe("K1ABCD", "160", "CW", "23:00"));
}

}  // namespace
}  // namespace mirva
