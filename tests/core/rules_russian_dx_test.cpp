#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

constexpr char kName[] = "Russian DX contest";

class RussianDxTest : public SessionTest {};

TEST_F(RussianDxTest, DefinesCountriesAndOblasts) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "RDXC");
  EXPECT_EQ(contest.CabrilloFormat, 1);
  EXPECT_EQ(contest.Modes, (Strings{"CW", "SSB"}));
  EXPECT_EQ(contest.Bands, (Strings{"160", "80", "40", "20", "15", "10"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nRussian oblasts");

  const TMultArray& countries = session.contest.MultList1;
  ASSERT_EQ(countries.size(), session.countries.CountryList().size());
  EXPECT_EQ(countries.front().Name, "EA");
  EXPECT_EQ(countries.back().Name, "4U1V");
  Strings oblasts = Keys(session.contest.MultList2);
  ASSERT_EQ(oblasts.size(), 92u);
  EXPECT_EQ(oblasts.front(), "SP");
  EXPECT_EQ(oblasts.back(), "MV");

  const StatGrid& grid = session.contest.QsoStat;
  EXPECT_EQ(grid.cells[1][0], "160");
  EXPECT_EQ(grid.cells[6][0], "10");
  EXPECT_EQ(grid.cells[0][2], "SSB");
}

TEST_F(RussianDxTest, LoadsTheCallDistrictsAndLeavesTheThirdList) {
  session.DomesticList = {{"XX", "YY"}};
  AddMult(session.contest.MultList3, "B");
  Setup(kName, "UA3ABC");
  ASSERT_FALSE(session.DomesticList.empty());
  EXPECT_EQ(session.DomesticList.front(), (TDomestic{"1A", "SP"}));
  EXPECT_EQ(Keys(session.contest.MultList3), Strings{"B"});
  EXPECT_EQ(session.Contest().MultCount, 2);
}

TEST_F(RussianDxTest, WithoutCountriesTheOblastsAreStillListed) {
  dir.Write("CTY.DAT", "");
  Setup(kName, "UA3ABC");
  EXPECT_TRUE(session.contest.MultList1.empty());
  EXPECT_EQ(session.contest.MultList2.size(), 92u);
}

TEST_F(RussianDxTest, SameStationIsADuplicateOnlyOnTheSameBandAndMode) {
  Setup(kName, "DL1ABC");
  Log(Qso("UA3XYZ", "20", "CW"));
  EXPECT_TRUE(session.IsDupe("UA3XYZ", "20", "CW", "12:10"));
  EXPECT_FALSE(session.IsDupe("UA3XYZ", "20", "SSB", "12:10"));
  EXPECT_FALSE(session.IsDupe("UA3XYZ", "15", "CW", "12:10"));
}

TEST_F(RussianDxTest, PointsDependOnWhichSideIsRussian) {
  struct Case {
    const char* own;
    const char* worked;
    int32_t points;
  };
  for (const Case& c : {
           Case{"UA3ABC", "UA1XYZ", 2},
           Case{"UA3ABC", "UA2XYZ", 2},  // every prefix beginning with UA is Russian
           Case{"UA3ABC", "UA9XYZ", 5},
           Case{"UA3ABC", "DL1XYZ", 3},
           Case{"UA3ABC", "JA1XYZ", 5},
           Case{"UA9ABC", "UA9XYZ", 2},
           Case{"UA9ABC", "UA3XYZ", 5},
           Case{"UA9ABC", "JA1XYZ", 3},
           Case{"DL1ABC", "UA3XYZ", 10},
           Case{"DL1ABC", "UA9XYZ", 10},
           Case{"DL1ABC", "DL2XYZ", 2},
           Case{"DL1ABC", "OE1XYZ", 3},
           Case{"DL1ABC", "K1XYZ", 5},
       }) {
    SCOPED_TRACE(std::string(c.own) + " works " + c.worked);
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points);
  }
}

}  // namespace

}  // namespace mirva
