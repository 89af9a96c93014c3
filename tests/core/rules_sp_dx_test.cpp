#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

constexpr char kName[] = "SP DX Contest";

class SpDxTest : public SessionTest {};

TEST_F(SpDxTest, DefinesTheContest) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "SPDX");
  EXPECT_EQ(contest.CabrilloFormat, 1);
  EXPECT_EQ(contest.Modes, (Strings{"CW", "SSB"}));
  EXPECT_EQ(contest.Bands, (Strings{"160", "80", "40", "20", "15", "10"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 1);
  EXPECT_EQ(session.contest.QsoStat.cells[0][2], "SSB");
}

TEST_F(SpDxTest, PolishStationCountsCountriesOthersProvinces) {
  struct Case {
    const char* own;
    const char* caption;
    std::size_t count;
    const char* first;
    const char* last;
  };
  for (const Case& c : {Case{"SP5ABC", "DXCC", 37, "EA", "4U1V"},
                        Case{"DL1ABC", "Polish provinces", 16, "B", "Z"}}) {
    SCOPED_TRACE(c.own);
    session.contest.MultList2 = {};
    AddMult(session.contest.MultList2, "KEEP");
    Setup(kName, c.own);
    EXPECT_EQ(session.contest.MultCaptions, c.caption);
    Strings keys = Keys(session.contest.MultList1);
    ASSERT_EQ(keys.size(), c.count);
    EXPECT_EQ(keys.front(), c.first);
    EXPECT_EQ(keys.back(), c.last);
    EXPECT_EQ(Keys(session.contest.MultList2), Strings{"KEEP"});
  }
}

TEST_F(SpDxTest, SameStationIsADuplicateOnlyOnTheSameBandAndMode) {
  Setup(kName, "DL1ABC");
  Log(Qso("SP5XYZ", "20", "CW"));
  EXPECT_TRUE(session.IsDupe("SP5XYZ", "20", "CW", "12:10"));
  EXPECT_FALSE(session.IsDupe("SP5XYZ", "20", "SSB", "12:10"));
  EXPECT_FALSE(session.IsDupe("SP5XYZ", "40", "CW", "12:10"));
}

TEST_F(SpDxTest, PolishStationScoresByContinentOthersAlwaysThree) {
  struct Case {
    const char* own;
    const char* worked;
    int32_t points;
  };
  for (const Case& c : {
           Case{"SP5ABC", "SQ9XYZ", 0},
           Case{"SP5ABC", "DL1XYZ", 1},
           Case{"SP5ABC", "JA1XYZ", 3},
           Case{"SP5ABC", "XX1XYZ", 3},  // no country found
           Case{"DL1ABC", "SP5XYZ", 3},
           Case{"DL1ABC", "DL2XYZ", 3},
           Case{"DL1ABC", "K1XYZ", 3},
       }) {
    SCOPED_TRACE(std::string(c.own) + " works " + c.worked);
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points);
  }
}

}  // namespace

}  // namespace mirva
