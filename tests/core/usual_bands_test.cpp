#include <gtest/gtest.h>

#include "reference/band_choice.h"
#include "reference/usual_bands.h"

namespace mirva {
namespace {

TEST(UsualBands, FillOnlyWhatTheOperatorLeftEmpty) {
  BandPlan plan = InitialBandPlan();
  plan.SetCell(kPlanStartColumn, 4, "14010");  // row 4 is 20 m
  plan.SetCell(kPlanSsbColumn, 4, "14150");
  BandPlan filled = WithUsualBands(plan);
  struct Case {
    std::int64_t hz;
    const char* expected_band;
    const char* expected_mode;
  };
  // The operator's cells hold; every other usual band and sub-band is found.
  const Case cases[] = {
      {14005000, "", "CW"},      // below the operator's own start of 20 m
      {14120000, "20", "DIGI"},  // data up to the operator's phone start
      {14150000, "20", "SSB"},  {7025000, "40", "CW"},
      {7100000, "40", "SSB"},   {3573000, "80", "DIGI"},
      {28500000, "10", "SSB"},  {18100000, "17", "DIGI"},  // a band the initial grid lacks
      {29800000, "", ""},                                  // above every band
      {1830000, "160", "CW"},                              // a band without data sub-band
  };
  const std::vector<std::string> bands = {"160", "80", "40", "20", "17", "15", "10"};
  const std::vector<std::string> modes = {"CW", "SSB", "DIGI"};
  for (const Case& c : cases) {
    BandModeChoice choice = ChooseBandMode(filled, {c.hz, "", ""}, bands, modes);
    EXPECT_EQ(choice.band, c.expected_band) << c.hz;
    if (!choice.band.empty()) {
      EXPECT_EQ(choice.mode, c.expected_mode) << c.hz;
    }
  }
  EXPECT_EQ(filled.Cell(kPlanStartColumn, 4), "14010");
  EXPECT_EQ(WithUsualBands(filled), filled);
}

}  // namespace
}  // namespace mirva
