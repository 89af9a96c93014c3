#include <filesystem>
#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {

namespace {

using Strings = std::vector<std::string>;

constexpr char kName[] = "EA WW RTTY Contest";

class EaRttyTest : public SessionTest {};

TEST_F(EaRttyTest, DefinesCountriesProvincesAndCallAreas) {
  Setup(kName, "DL1ABC");
  const TContest& contest = session.Contest();
  EXPECT_EQ(contest.Name, kName);
  EXPECT_EQ(contest.CabrilloName, "EA_RTTY");
  EXPECT_EQ(contest.CabrilloFormat, 1);
  EXPECT_EQ(contest.Modes, Strings{"RTTY"});
  EXPECT_EQ(contest.Bands, (Strings{"80", "40", "20", "15", "10"}));
  EXPECT_TRUE(contest.UseWAE);
  EXPECT_EQ(contest.MultCount, 2);
  EXPECT_EQ(session.contest.MultCaptions, "DXCC\r\nSpain provinces and K/VK/JA/VK areas");
  EXPECT_EQ(session.contest.MultList1.size(), session.countries.CountryList().size());

  Strings codes;
  for (const TDomestic& entry : session.DomesticList)
    codes.push_back(entry.Code);
  ASSERT_EQ(codes.size(), 52u);
  Strings keys = Keys(session.contest.MultList2);
  ASSERT_EQ(keys.size(), 52u + 40u);
  EXPECT_EQ(Strings(keys.begin(), keys.begin() + 52), codes);
  EXPECT_EQ(Strings(keys.begin() + 51, keys.begin() + 53), (Strings{"ML", "K0"}));
  EXPECT_EQ(Strings(keys.begin() + 61, keys.begin() + 63), (Strings{"K9", "VE0"}));
  EXPECT_EQ(keys[72], "JA0");
  EXPECT_EQ(keys[82], "VK0");
  EXPECT_EQ(keys.back(), "VK9");
}

TEST_F(EaRttyTest, WithoutTheProvinceFileOnlyTheCallAreasAreListed) {
  std::filesystem::remove(dir / "Spain.DOM");
  Setup(kName, "DL1ABC");
  EXPECT_TRUE(session.DomesticList.empty());
  Strings keys = Keys(session.contest.MultList2);
  ASSERT_EQ(keys.size(), 40u);
  EXPECT_EQ(keys.front(), "K0");
}

TEST_F(EaRttyTest, SameStationOnOneBandIsADuplicate) {
  Setup(kName, "DL1ABC");
  Log(Qso("EA3XYZ", "80", "RTTY"));
  EXPECT_TRUE(session.IsDupe("EA3XYZ", "80", "RTTY", "12:10"));
  EXPECT_FALSE(session.IsDupe("EA3XYZ", "40", "RTTY", "12:10"));
}

TEST_F(EaRttyTest, PointsByContinentAreDoubledOnEightyAndForty) {
  Setup(kName, "DL1ABC");
  struct Case {
    const char* worked;
    const char* band;
    int32_t points;
  };
  for (const Case& c : {
           Case{"EA3XYZ", "80", 3},
           Case{"OE1XYZ", "40", 3},
           Case{"OE1XYZ", "20", 1},
           Case{"OE1XYZ", "160", 1},  // only 80 and 40 count as low here
           Case{"K1XYZ", "80", 6},
           Case{"K1XYZ", "40", 6},
           Case{"K1XYZ", "10", 3},
       }) {
    SCOPED_TRACE(std::string(c.worked) + " on " + c.band);
    EXPECT_EQ(BasePoints(c.worked, c.band, "RTTY"), c.points);
  }
}

}  // namespace

}  // namespace mirva
