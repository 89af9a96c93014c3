#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

constexpr char kName[] = "HOLYLAND DX Contest";

class HolylandTest : public SessionTest {
 protected:
  void FillAllLists() {
    for (TMultArray* list :
         {&session.contest.MultList1, &session.contest.MultList2, &session.contest.MultList3})
      AddMult(*list, "OLD");
  }
};

TEST_F(HolylandTest, DefinesTheContest) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "Holyland DX");
  EXPECT_EQ(contest.CabrilloFormat, 1);
  EXPECT_EQ(contest.Modes, (Strings{"CW", "SSB"}));
  EXPECT_EQ(contest.Bands, (Strings{"160", "80", "40", "20", "15", "10"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 1);
  EXPECT_EQ(session.contest.QsoStat.cells[6][0], "10");
}

TEST_F(HolylandTest, IsraeliStationCountsCountries) {
  FillAllLists();
  Setup(kName, "4X1ABC");
  EXPECT_EQ(session.contest.MultCaptions, "DXCC");
  const TMultArray& list = session.contest.MultList1;
  ASSERT_EQ(list.size(), session.countries.CountryList().size());
  EXPECT_EQ(list.front().Name, "EA");
  EXPECT_EQ(list.back().Name, "4U1V");
  EXPECT_TRUE(session.contest.MultList2.empty());
  EXPECT_TRUE(session.contest.MultList3.empty());
}

TEST_F(HolylandTest, OtherStationsStartWithEveryListEmpty) {
  FillAllLists();
  Setup(kName, "DL1ABC");
  EXPECT_EQ(session.contest.MultCaptions, "Israel areas");
  EXPECT_TRUE(session.contest.MultList1.empty());
  EXPECT_TRUE(session.contest.MultList2.empty());
  EXPECT_TRUE(session.contest.MultList3.empty());
}

TEST_F(HolylandTest, SameStationIsADuplicateOnlyOnTheSameBandAndMode) {
  Setup(kName, "DL1ABC");
  Log(Qso("4X1XYZ", "40", "SSB"));
  EXPECT_TRUE(session.IsDupe("4X1XYZ", "40", "SSB", "12:10"));
  EXPECT_FALSE(session.IsDupe("4X1XYZ", "40", "CW", "12:10"));
  EXPECT_FALSE(session.IsDupe("4X1XYZ", "20", "SSB", "12:10"));
}

TEST_F(HolylandTest, LowBandsScoreTwiceExceptBetweenIsraeliStations) {
  struct Case {
    const char* own;
    const char* worked;
    const char* band;
    int32_t points;
  };
  for (const Case& c : {
           Case{"4X1ABC", "4Z5XYZ", "20", 0},
           Case{"4X1ABC", "4X5XYZ", "80", 0},
           Case{"4X1ABC", "DL1XYZ", "160", 2},
           Case{"4X1ABC", "DL1XYZ", "40", 2},
           Case{"4X1ABC", "DL1XYZ", "20", 1},
           Case{"DL1ABC", "4X5XYZ", "80", 2},
           Case{"DL1ABC", "4X5XYZ", "15", 1},
           Case{"DL1ABC", "DL2XYZ", "10", 1},
       }) {
    SCOPED_TRACE(std::string(c.own) + " works " + c.worked + " on " + c.band);
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, c.band, "CW"), c.points);
  }
}

}  // namespace

}  // namespace mirva
