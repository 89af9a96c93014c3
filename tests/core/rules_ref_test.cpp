#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

class RefTest : public SessionTest {};

TEST_F(RefTest, DefinesEachVariantWithDepartmentsThenOverseasPrefixes) {
  struct Case {
    const char* name;
    const char* cabrillo;
    const char* mode;
  };
  for (const Case& c : {Case{"REF contest (CW) Non France station", "REF-CW", "CW"},
                        Case{"REF contest (SSB) Non France station", "REF-SSB", "SSB"}}) {
    SCOPED_TRACE(c.name);
    Setup(c.name, "DL1ABC");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, c.name);
    EXPECT_EQ(contest.CabrilloName, c.cabrillo);
    EXPECT_EQ(contest.CabrilloFormat, 1);
    EXPECT_EQ(contest.Modes, Strings{c.mode});
    EXPECT_EQ(contest.Bands, (Strings{"80", "40", "20", "15", "10"}));
    EXPECT_TRUE(contest.UseWAE);
    EXPECT_EQ(contest.MultCount, 1);
    EXPECT_EQ(session.contest.MultCaptions, "French departaments");

    Strings keys = Keys(session.contest.MultList1);
    ASSERT_EQ(keys.size(), 97u + 3u + 13u);
    EXPECT_EQ(keys[0], "00");
    EXPECT_EQ(keys[96], "96");
    EXPECT_EQ(Strings(keys.begin() + 97, keys.begin() + 101), (Strings{"99", "2A", "2B", "FG"}));
    EXPECT_EQ(keys.back(), "TO");

    const StatGrid& grid = session.contest.QsoStat;
    EXPECT_EQ(grid.cells[1][0], "80");
    EXPECT_EQ(grid.cells[5][0], "10");
    EXPECT_EQ(grid.cells[6][0], " ");
    EXPECT_EQ(grid.cells[0][1], c.mode);
  }
}

TEST_F(RefTest, RebuildsItsListAndLeavesTheOthers) {
  AddMult(session.contest.MultList1, "OLD");
  AddMult(session.contest.MultList2, "KEEP");
  Setup("REF contest (CW) Non France station", "DL1ABC");
  EXPECT_EQ(session.contest.MultList1.size(), 113u);
  EXPECT_EQ(session.contest.MultList1[0].Name, "00");
  EXPECT_EQ(Keys(session.contest.MultList2), Strings{"KEEP"});
}

TEST_F(RefTest, SameStationOnOneBandIsADuplicateWhateverTheMode) {
  Setup("REF contest (SSB) Non France station", "DL1ABC");
  EXPECT_FALSE(session.IsDupe("F5ABC", "20", "SSB", "12:00"));
  Log(Qso("F5ABC", "20", "SSB"));
  EXPECT_TRUE(session.IsDupe("F5ABC", "20", "SSB", "13:00"));
  EXPECT_TRUE(session.IsDupe("F5ABC", "20", "CW", "13:00"));
  EXPECT_FALSE(session.IsDupe("F5ABC", "15", "SSB", "13:00"));
  EXPECT_FALSE(session.IsDupe("F5ABD", "20", "SSB", "13:00"));
}

TEST_F(RefTest, ScoresOneOnTheOwnContinentAndThreeElsewhere) {
  struct Case {
    const char* own;
    const char* worked;
    int32_t points;
  };
  for (const Case& c : {
           Case{"DL1ABC", "F5ABC", 1},   // Europe to Europe
           Case{"DL1ABC", "DL2ABC", 1},  // the own country too
           Case{"DL1ABC", "FG5ABC", 3},  // an overseas department in North America
           Case{"K1ABC", "FG5ABC", 1},   // North America to North America
           Case{"K1ABC", "F5ABC", 3},    // Europe from North America
           Case{"DL1ABC", "XX1ABC", 3},  // no country found
       }) {
    SCOPED_TRACE(std::string(c.own) + " works " + c.worked);
    Setup("REF contest (CW) Non France station", c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points);
  }
}

}  // namespace

}  // namespace mirva
