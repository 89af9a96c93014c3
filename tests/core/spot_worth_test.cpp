#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "reference/band_plan.h"
#include "session_fixture.h"
#include "spots/spot.h"

namespace mirva {
namespace {

// The usual contest sub-bands, with the 30 m band no contest here has.
BandPlan TestPlan() {
  BandPlan plan = InitialBandPlan();
  const std::vector<std::vector<const char*>> rows = {
      {"160", "1810", "2000", "1810", "1840", ""},
      {"80", "3500", "3800", "3500", "3600", ""},
      {"40", "7000", "7200", "7000", "7040", ""},
      {"30", "10100", "10150", "10100", "", ""},
      {"20", "14000", "14350", "14000", "14100", "14070"},
      {"15", "21000", "21450", "21000", "21150", ""},
      {"10", "28000", "29700", "28000", "28300", ""}};
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      plan.SetCell(c, r + 1, rows[r][c]);
  return plan;
}

struct SpotCase {
  const char* call;
  std::int64_t hz;
  const char* skimmer_mode;  // empty: a spot by hand of a cluster
  SpotValue value;
  const char* mults = "";
  bool worked_before = false;
};

class SpotWorthTest : public SessionTest {
 protected:
  void Log(std::initializer_list<std::vector<const char*>> qsos) {
    for (const std::vector<const char*>& q : qsos)
      session.SaveQso(Qso(q[0], q[1], q[2], q[3]));
  }

  void Expect(const std::vector<SpotCase>& cases) {
    BandPlan plan = TestPlan();
    for (const SpotCase& c : cases) {
      Spot spot;
      spot.call = c.call;
      spot.hz = c.hz;
      spot.mode = c.skimmer_mode;
      spot.skimmer = *c.skimmer_mode != '\0';
      SpotWorth worth = WeighSpot(session, plan, spot, "12:30");
      EXPECT_EQ(SpotValueWord(worth.value), SpotValueWord(c.value)) << c.call << " " << c.hz;
      EXPECT_EQ(worth.mults, c.mults) << c.call << " " << c.hz;
      EXPECT_EQ(worth.worked_before, c.worked_before) << c.call << " " << c.hz;
    }
  }
};

TEST_F(SpotWorthTest, CountriesAndZonesPerBand) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Log({{"F5AB", "20", "CW", "14"}, {"W1AW", "20", "CW", "05"}, {"JA1XYZ", "15", "CW", "25"}});
  Expect({
      {"F5AB", 14025000, "", SpotValue::kDupe, "", true},
      {"F5AB", 7025000, "", SpotValue::kMult, "F 14", true},
      {"F6XY", 14030000, "CW", SpotValue::kQso},
      {"K1ABC", 14010000, "", SpotValue::kQso},
      {"JA2XYZ", 14025000, "", SpotValue::kMult, "JA 25"},
      {"JA1XYZ", 21025000, "", SpotValue::kDupe, "", true},
      {"UA9ABC", 21030000, "", SpotValue::kMult, "UA9 17"},
      // A skimmer's CW in the phone sub-band is CW.
      {"VK2AB", 14250000, "CW", SpotValue::kMult, "VK 30"},
      // Phone, data, a band the contest lacks and a frequency outside every band are out.
      {"VK2AB", 14250000, "", SpotValue::kOut},
      {"VK2AB", 14080000, "FT8", SpotValue::kOut},
      {"VK2AB", 10120000, "CW", SpotValue::kOut},
      {"F5AB", 5000000, "CW", SpotValue::kOut, "", true},
  });
}

TEST_F(SpotWorthTest, PrefixesOncePerContest) {
  Setup("CQ WW WPX Contest (CW)", "DL1ABC");
  Log({{"DL1AB", "20", "CW", "001"}});
  Expect({
      {"DL1XY", 21025000, "", SpotValue::kQso},
      {"DL2XY", 14025000, "", SpotValue::kMult, "DL2"},
      {"DL1AB", 7025000, "", SpotValue::kQso, "", true},
  });
}

TEST_F(SpotWorthTest, NothingCountsWithoutAContest) {
  ASSERT_FALSE(session.HasContest());
  Expect({{"F5AB", 14025000, "CW", SpotValue::kOut}});
}

}  // namespace
}  // namespace mirva
