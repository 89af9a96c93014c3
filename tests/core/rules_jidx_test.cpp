#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kLowCw[] = "Japan International DX Contest (LF CW)";
constexpr char kHighCw[] = "Japan International DX Contest (HF CW)";
constexpr char kPhone[] = "Japan International DX Contest (PHONE)";

using JidxTest = SessionTest;

TEST_F(JidxTest, DefinesEachSection) {
  struct Case {
    const char* name;
    const char* cabrillo_name;
    const char* mode;
    std::vector<std::string> bands;
  } cases[] = {
      {kLowCw, "JIDX_LFCW", "CW", {"160", "80", "40"}},
      {kHighCw, "JIDX_HFCW", "CW", {"20", "15", "10"}},
      {kPhone, "JIDX_SSB", "SSB", HF6()},
  };
  for (const Case& c : cases) {
    Setup(c.name, "DL1ABC");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, c.name);
    EXPECT_EQ(contest.CabrilloName, c.cabrillo_name);
    EXPECT_EQ(contest.Modes, std::vector<std::string>{c.mode});
    EXPECT_EQ(contest.Bands, c.bands);
    EXPECT_TRUE(contest.UseWAE);
  }
}

// Japan and Minami Torishima work the world; whole prefixes are compared.
TEST_F(JidxTest, JapaneseStationsCountCountriesAndZones) {
  for (const char* call : {"JA1ABC", "JD1MAA"}) {
    Setup(kHighCw, call);
    EXPECT_EQ(session.Contest().MultCount, 2) << call;
    EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nCQ zones");
    std::vector<std::string> countries = Keys(session.contest.MultList1);
    ASSERT_EQ(countries.size(), 37u);
    EXPECT_EQ(countries[9], "JD1/M");
    std::vector<std::string> zones = Keys(session.contest.MultList2);
    ASSERT_EQ(zones.size(), 40u);
    EXPECT_EQ(zones.front(), "01");
    EXPECT_EQ(zones.back(), "40");
  }
}

// The second list is left as the previous contest set it.
TEST_F(JidxTest, OtherStationsCountPrefectures) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  for (const char* call : {"DL1ABC", "K1ABC"}) {
    Setup(kLowCw, call);
    EXPECT_EQ(session.Contest().MultCount, 1) << call;
    EXPECT_EQ(session.contest.MultCaptions, "Japan prefectures");
    std::vector<std::string> prefectures = Keys(session.contest.MultList1);
    ASSERT_EQ(prefectures.size(), 50u);
    EXPECT_EQ(prefectures.front(), "01");
    EXPECT_EQ(prefectures.back(), "50");
    EXPECT_EQ(session.contest.MultList2.size(), 40u);
  }
}

TEST_F(JidxTest, PointsByBand) {
  Setup(kPhone, "DL1ABC");
  struct Case {
    const char* band;
    int32_t points;
  } cases[] = {
      {"160", 4}, {"80", 2}, {"10", 2}, {"40", 1}, {"20", 1}, {"15", 1}, {"6", 0}, {"", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BasePoints("JA1ABC", c.band, "SSB"), c.points) << c.band;
  EXPECT_EQ(BasePoints("DL2XYZ", "160", "SSB"), 4);
}

TEST_F(JidxTest, DuplicateOnTheSameBand) {
  Setup(kHighCw, "DL1ABC");
  EXPECT_EQ(Log(Qso("JA1ABC", "15", "CW")).Points, 1);
  EXPECT_EQ(Log(Qso("JA1ABC", "10", "CW")).Points, 2);
  EXPECT_EQ(Log(Qso("JA1ABC", "15", "CW")).Points, 0);
}

}  // namespace
}  // namespace mirva
