#include <gtest/gtest.h>

#include "error.h"
#include "session_fixture.h"

namespace mirva {
namespace {

class VoltaRttyTest : public SessionTest {
 protected:
  // Cell (r, c) holds 3 * r + c - 3: every pair of zones scores differently.
  void SetUp() override {
    SessionTest::SetUp();
    WritePointsTable();
  }
};

TEST_F(VoltaRttyTest, PointsFromTheZoneTable) {
  struct Case {
    const char* own;
    const char* worked;
    const char* band;
    int32_t points;
  } cases[] = {
      {"JA1ABC", "JA3ABC", "20", 97},  // another call area of the own country
      {"JA1ABC", "JA1XYZ", "20", 0},   // the same call area
      {"DL1ABC", "DK2ABC", "20", 0},   // own country without call areas
      {"DL1ABC", "F5ABC", "10", 53},   // same continent: never doubled
      {"DL1ABC", "JA1ABC", "40", 64},
      {"DL1ABC", "JA1ABC", "10", 128},
      {"DL1ABC", "JA1ABC", "80", 128},
      // The worked zone is the country's, found again from the stored prefix "UA9".
      {"DL1ABC", "UA0DAA", "80", 112},
  };
  for (const Case& c : cases) {
    Setup("VOLTA RTTY WW Contest", c.own);
    EXPECT_EQ(BasePoints(c.worked, c.band, "RTTY"), c.points) << c.own << " " << c.worked;
  }
}

void SetZone(std::string_view zone, Session& session) {
  TStationCFG station = session.StationCfg();
  station.CQ = zone;
  session.SetStation(station);
}

// Also when a set-up finds the table gone after one that read it.
TEST_F(VoltaRttyTest, ZonesOutsideTheTableOrNoTableScoreNothingAndBadZonesFail) {
  Setup("VOLTA RTTY WW Contest", "DL1ABC");
  for (const char* zone : {"41", "0", "-3"}) {
    SetZone(zone, session);
    EXPECT_EQ(BasePoints("JA1ABC", "10", "RTTY"), 0) << zone;
  }
  SetZone("x", session);
  EXPECT_THROW(BasePoints("JA1ABC", "10", "RTTY"), ConversionError);
  SetZone("14", session);
  EXPECT_THROW(BasePoints("QQ1ABC", "10", "RTTY"), ConversionError);  // no country, no zone

  std::filesystem::remove(dir / "points.tbl");
  Setup("VOLTA RTTY WW Contest", "DL1ABC");
  EXPECT_EQ(BasePoints("JA1ABC", "10", "RTTY"), 0);
}

}  // namespace
}  // namespace mirva
