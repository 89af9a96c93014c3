#include <gtest/gtest.h>

#include "contest/rules/definition.h"
#include "session_fixture.h"

namespace mirva {
namespace {

// Five countries; Franz Josef Land, part of European Russia in CTY.DAT, counts on its own.
constexpr char kP150[] =
    "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\r\n"
    "    R,U,UA;\r\n"
    "Franz Josef Land:         40:  75:  EU:   80.00:   -50.00:    -3.0:  R1FJ:\r\n"
    "    R1FJ;\r\n"
    "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\r\n"
    "    DA,DB,DC,DD,DF,DG,DH,DJ,DK,DL,DM,DN,DO;\r\n"
    "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\r\n"
    "    JA,JE,JF;\r\n"
    "United States of America: 05:  08:  NA:   37.60:    91.87:     5.0:  K:\r\n"
    "    AA,K,N,W;\r\n";

constexpr char kName[] = "CQ-M International DX Contest";

class CqmTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    dir.Write("P-150-C.DAT", kP150);
  }
};

TEST_F(CqmTest, DefinesSevenBandsAndTheP150Countries) {
  Setup(kName, "UA3AB");
  const TContest& c = session.Contest();
  EXPECT_EQ(c.Name, kName);
  EXPECT_EQ(c.CabrilloName, "CQ-M");
  EXPECT_EQ(c.Modes, (std::vector<std::string>{"CW", "SSB", "SSTV"}));
  EXPECT_EQ(c.Bands, (std::vector<std::string>{"160", "80", "40", "20", "15", "10", "SAT"}));
  EXPECT_TRUE(c.UseWAE);
  EXPECT_EQ(c.MultCount, 1);
  EXPECT_EQ(session.contest.MultCaptions, "P-150-C list");
  EXPECT_EQ(Keys(session.contest.MultList1),
            (std::vector<std::string>{"UA", "R1FJ", "DL", "JA", "K"}));
  // The grid has room for six bands: "SAT" gets no column.
  EXPECT_EQ(session.contest.QsoStat.cells[6][0], "10");
  EXPECT_EQ(session.contest.QsoStat.cells[0][3], "SSTV");
}

TEST_F(CqmTest, WithoutTheListThereAreNoCountries) {
  std::filesystem::remove(dir / "P-150-C.DAT");
  Setup(kName, "UA3AB");
  EXPECT_TRUE(session.contest.MultList1.empty());
}

TEST_F(CqmTest, SameBandAndModeIsDupe) {
  Setup(kName, "UA3AB");
  Log(Qso("DL1AB", "20", "CW"));
  EXPECT_TRUE(session.IsDupe("DL1AB", "20", "CW", "09:00"));
  EXPECT_FALSE(session.IsDupe("DL1AB", "20", "SSB", "09:00"));
  EXPECT_FALSE(session.IsDupe("DL1AB", "SAT", "CW", "09:00"));
}

TEST_F(CqmTest, PointsByP150CountryAndContinent) {
  struct Case {
    std::string_view own;
    std::string_view worked;
    int32_t points;
  } cases[] = {
      {"UA3AB", "UA1XY", 1}, {"UA3AB", "R1FJA", 2}, {"UA3AB", "DL1XY", 2},
      {"UA3AB", "JA1XY", 3}, {"K1AB", "W1XY", 1},   {"K1AB", "DL1XY", 3},
  };
  for (const Case& c : cases) {
    Setup(kName, c.own);
    EXPECT_EQ(BasePoints(c.worked, "SAT", "SSTV"), c.points) << c.own << " " << c.worked;
  }
}

}  // namespace
}  // namespace mirva
