#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using KingOfSpainTest = SessionTest;

constexpr char kCw[] = "King of Spain Contest (CW)";
constexpr char kSsb[] = "King of Spain Contest (SSB)";

TEST_F(KingOfSpainTest, VariantsShareAllButNameAndMode) {
  struct Case {
    std::string_view name;
    std::string_view mode;
  } cases[] = {{kCw, "CW"}, {kSsb, "SSB"}};
  for (const Case& c : cases) {
    Setup(c.name, "DL1AB");
    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, c.name);
    EXPECT_EQ(contest.CabrilloName, "King of Spain C");
    EXPECT_EQ(contest.Modes, std::vector<std::string>{std::string(c.mode)});
    EXPECT_EQ(contest.Bands, HF6());
    EXPECT_TRUE(contest.UseWAE);
  }
}

// Any station whose country begins with "EA" counts Spain's provinces and the countries
// outside Spain; the Canaries and the Balearics are Spanish here.
TEST_F(KingOfSpainTest, SpanishStationCountsProvincesAndOtherCountries) {
  for (std::string_view own : {"EA3AB", "EA6AB", "EA8AB"}) {
    Setup(kCw, own);
    EXPECT_EQ(session.Contest().MultCount, 2) << own;
    EXPECT_EQ(session.contest.MultCaptions, "Spain provinces\r\nDXCC") << own;
    std::vector<std::string> countries = Keys(session.contest.MultList1);
    EXPECT_EQ(countries.size(), session.countries.CountryList().size() - 3) << own;
    for (const std::string& key : countries)
      EXPECT_NE(key.substr(0, 2), "EA") << own;
    EXPECT_EQ(countries.front(), "DL");
    std::vector<std::string> provinces = Keys(session.contest.MultList2);
    ASSERT_EQ(provinces.size(), 52u) << own;
    EXPECT_EQ(provinces.front(), "AV");
    EXPECT_EQ(provinces.back(), "ML");
  }
}

TEST_F(KingOfSpainTest, ForeignStationCountsProvincesOnly) {
  Setup("CQ WW DX Contest (SSB)", "DL1AB");
  Setup(kSsb, "DL1AB");
  EXPECT_EQ(session.Contest().MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "Spain provinces");
  std::vector<std::string> provinces = Keys(session.contest.MultList1);
  ASSERT_EQ(provinces.size(), 52u);
  EXPECT_EQ(provinces.front(), "AV");
  EXPECT_EQ(provinces.back(), "ML");
  EXPECT_EQ(session.contest.MultList2.size(), 40u);  // the CQ zones of the contest before
}

TEST_F(KingOfSpainTest, SameBandIsDupe) {
  Setup(kSsb, "DL1AB");
  Log(Qso("EA3XY", "40", "SSB"));
  EXPECT_TRUE(session.IsDupe("EA3XY", "40", "SSB", "13:00"));
  EXPECT_FALSE(session.IsDupe("EA3XY", "80", "SSB", "13:00"));
}

TEST_F(KingOfSpainTest, PointsOnlyWhereSpainTakesPart) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"EA3AB", "K1AB", 1},  {"EA8AB", "EA3XY", 1}, {"DL1AB", "EA3XY", 1}, {"DL1AB", "EA6XY", 1},
      {"DL1AB", "EA8XY", 1}, {"DL1AB", "F5XY", 0},  {"HB9AB", "DL1AB", 0},
  };
  for (const Case& c : cases) {
    Setup(kCw, c.own);
    EXPECT_EQ(BasePoints(c.worked, "20", "CW"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
