#include <string>
#include <vector>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

class UbaTest : public SessionTest {};

TEST_F(UbaTest, DefinesEachVariant) {
  struct Case {
    const char* name;
    const char* cabrillo;
    const char* mode;
  };
  for (const Case& c : {Case{"UBA DX Contest (CW)", "UBA-CW", "CW"},
                        Case{"UBA DX Contest (SSB)", "UBA-SSB", "SSB"}}) {
    SCOPED_TRACE(c.name);
    Setup(c.name, "DL1ABC");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, c.name);
    EXPECT_EQ(contest.CabrilloName, c.cabrillo);
    EXPECT_EQ(contest.CabrilloFormat, 1);
    EXPECT_EQ(contest.Modes, Strings{c.mode});
    EXPECT_EQ(contest.Bands, (Strings{"80", "40", "20", "15", "10"}));
    EXPECT_TRUE(contest.UseWAE);
    EXPECT_EQ(session.contest.QsoStat.cells[0][1], c.mode);
  }
}

TEST_F(UbaTest, BelgianStationCountsCountries) {
  AddMult(session.contest.MultList2, "OLD");
  AddMult(session.contest.MultList3, "KEEP");
  Setup("UBA DX Contest (CW)", "ON4ABC");
  EXPECT_EQ(session.Contest().MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC");
  const TMultArray& list = session.contest.MultList1;
  ASSERT_EQ(list.size(), session.countries.CountryList().size());
  EXPECT_EQ(list.front().Name, "EA");
  EXPECT_EQ(list.back().Name, "4U1V");
  EXPECT_TRUE(session.contest.MultList2.empty());
  EXPECT_EQ(Keys(session.contest.MultList3), Strings{"KEEP"});
}

TEST_F(UbaTest, OtherStationsCountEcCountriesThenProvincesAndCollectPrefixes) {
  AddMult(session.contest.MultList2, "OLD");
  Setup("UBA DX Contest (CW)", "DL1ABC");
  EXPECT_EQ(session.Contest().MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "EC countries and ON provinces");
  Strings keys = Keys(session.contest.MultList1);
  ASSERT_EQ(keys.size(), 29u + 11u);
  EXPECT_EQ(keys.front(), "CT");
  EXPECT_EQ(keys[28], "TK");
  std::string province = "ON" + std::string(kKeyDot);
  EXPECT_EQ(keys[29], province + "AN");
  EXPECT_EQ(keys.back(), province + "BR");
  EXPECT_TRUE(session.contest.MultList2.empty());
}

TEST_F(UbaTest, SameStationOnOneBandIsADuplicate) {
  Setup("UBA DX Contest (SSB)", "DL1ABC");
  Log(Qso("ON4XYZ", "40", "SSB"));
  EXPECT_TRUE(session.IsDupe("ON4XYZ", "40", "SSB", "12:30"));
  EXPECT_FALSE(session.IsDupe("ON4XYZ", "80", "SSB", "12:30"));
}

TEST_F(UbaTest, PointsDependOnBothSidesBeingBelgianOrInTheEc) {
  struct Case {
    const char* own;
    const char* worked;
    int32_t points;
  };
  for (const Case& c : {
           Case{"ON4ABC", "OT4XYZ", 1},
           Case{"ON4ABC", "DL1XYZ", 2},
           Case{"ON4ABC", "EA6XYZ", 2},
           Case{"ON4ABC", "EA8XYZ", 3},  // the whole prefix must be in the EC list
           Case{"ON4ABC", "K1XYZ", 3},
           Case{"DL1ABC", "ON4XYZ", 10},
           Case{"DL1ABC", "DL2XYZ", 3},
           Case{"DL1ABC", "IS0XYZ", 3},
           Case{"DL1ABC", "EA8XYZ", 1},
           Case{"DL1ABC", "JA1XYZ", 1},
       }) {
    SCOPED_TRACE(std::string(c.own) + " works " + c.worked);
    Setup("UBA DX Contest (CW)", c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points);
  }
}

}  // namespace

}  // namespace mirva
