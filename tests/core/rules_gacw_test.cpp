#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

constexpr char kName[] = "GACW CW DX Contest";

class GacwTest : public SessionTest {
 protected:
  std::string CountryName(std::string_view call) const {
    TCountry country;
    session.FindCountry(call, country);
    return country.Name;
  }
};

TEST_F(GacwTest, DefinesCountriesAndZones) {
  Setup(kName, "LU1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "GACW");
  EXPECT_EQ(contest.CabrilloFormat, 1);
  EXPECT_EQ(contest.Modes, Strings{"CW"});
  EXPECT_EQ(contest.Bands, (Strings{"160", "80", "40", "20", "15", "10"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nCQ zones");

  Strings countries = Keys(session.contest.MultList1);
  ASSERT_EQ(countries.size(), session.countries.CountryList().size());
  EXPECT_EQ(countries.front(), "EA");
  EXPECT_EQ(countries[32], "VP8");  // keyed by prefix, not by the new name
  EXPECT_EQ(countries.back(), "4U1V");
  Strings zones = Keys(session.contest.MultList2);
  ASSERT_EQ(zones.size(), 40u);
  EXPECT_EQ(zones.front(), "01");
  EXPECT_EQ(zones.back(), "40");
}

TEST_F(GacwTest, ShowsTheFalklandsUnderTheirArgentineNameUntilTheNextSetup) {
  Setup(kName, "LU1ABC");
  EXPECT_EQ(CountryName("VP8ABC"), "Islas Malvinas (Falkland Island)");
  EXPECT_EQ(CountryName("LU1XYZ"), "Argentina");
  Setup("CQ WW DX Contest (CW)", "LU1ABC");
  EXPECT_EQ(CountryName("VP8ABC"), "Falkland Islands");
}

TEST_F(GacwTest, SameStationOnOneBandIsADuplicate) {
  Setup(kName, "LU1ABC");
  Log(Qso("VP8XYZ", "15", "CW"));
  EXPECT_TRUE(session.IsDupe("VP8XYZ", "15", "CW", "12:10"));
  EXPECT_FALSE(session.IsDupe("VP8XYZ", "10", "CW", "12:10"));
}

TEST_F(GacwTest, SouthAmericaScoresMostFromOtherContinents) {
  struct Case {
    const char* own;
    const char* worked;
    int32_t points;
  };
  for (const Case& c : {
           Case{"LU1ABC", "LW2XYZ", 0},
           Case{"LU1ABC", "PY1XYZ", 1},
           Case{"LU1ABC", "VP8XYZ", 1},
           Case{"LU1ABC", "DL1XYZ", 3},
           Case{"DL1ABC", "DL2XYZ", 0},
           Case{"DL1ABC", "OE1XYZ", 1},
           Case{"DL1ABC", "PY1XYZ", 5},
           Case{"DL1ABC", "VP8XYZ", 5},
           Case{"DL1ABC", "K1XYZ", 3},
       }) {
    SCOPED_TRACE(std::string(c.own) + " works " + c.worked);
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points);
  }
}

TEST_F(GacwTest, OwnCountryIsToldByTheStoredPrefix) {
  Setup(kName, "DL1ABC");
  TQSOData q = Qso("OE1XYZ", "20", "CW");
  q.CountryPrefix = "DL";
  EXPECT_EQ(session.ComputeQsoPoints(q).Points, 0);
  q.CountryPrefix = "PY";
  EXPECT_EQ(session.ComputeQsoPoints(q).Points, 5);
}

}  // namespace

}  // namespace mirva
