#include "reference/band_choice.h"

#include <gtest/gtest.h>

namespace mirva {
namespace {

/// The initial grid with rows set from "band|start|end|cw|ssb|digi" texts, from row 1 on.
BandPlan Plan(std::initializer_list<std::vector<const char*>> rows) {
  BandPlan plan = InitialBandPlan();
  std::size_t r = 1;
  for (const std::vector<const char*>& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c)
      plan.SetCell(c, r, row[c]);
    ++r;
  }
  return plan;
}

TEST(PlanFrequency, KilohertzAsTyped) {
  struct Case {
    const char* cell;
    std::optional<std::int64_t> hz;
  };
  const Case cases[] = {
      {"14000", 14000000},
      {" 14000 ", 14000000},
      {"14 000", 14000000},
      {"14\xA0"
       "000",
       14000000},
      {"14070.5", 14070500},
      {"14070,25", 14070250},
      {"1838.001", 1838001},
      {".5", 500},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {".", std::nullopt},
      {"14000.0001", std::nullopt},
      {"14.000.5", std::nullopt},
      {"-14000", std::nullopt},
      {"14000kHz", std::nullopt},
      {"1234567890", std::nullopt},
      {"CW", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlanFrequency(c.cell), c.hz) << "'" << c.cell << "'";
}

TEST(ChooseBandMode, RowsSubBandsAndTheContestsLists) {
  const std::vector<std::string> hf6 = {"160", "80", "40", "20", "15", "10"};
  const std::vector<std::string> mixed = {"CW", "SSB", "DIGI"};
  const BandPlan plan = Plan({{"160", "1810", "2000", "1810", "1840", ""},
                              {"80", " 3500 ", "3800", "3500", "3600", "3580"},
                              {"40", "7000", "7200", "7000", "", ""},
                              {"20", "14000", "14350", "14000", "14100", "14070"},
                              {"15", "21000", "21450", "", "", ""},
                              {"10", "28000", "junk", "28000", "28300", ""},
                              {"6", "50000", "54000", "50000", "50100", ""}});
  struct Case {
    const char* name;
    std::int64_t hz;
    const char* radio_mode;
    std::vector<std::string> bands;
    std::vector<std::string> modes;
    BandModeChoice choice;
  };
  const Case cases[] = {
      {"DIGI starts above CW", 14080000, "CW", hf6, mixed, {"20", "DIGI"}},
      {"the band's lower edge", 14000000, "USB", hf6, mixed, {"20", "CW"}},
      {"the band's upper edge", 14350000, "CW", hf6, mixed, {"20", "SSB"}},
      {"a sub-band's first Hz", 14070000, "CW", hf6, mixed, {"20", "DIGI"}},
      {"one Hz below a sub-band", 14069999, "USB", hf6, mixed, {"20", "CW"}},
      {"one Hz above the band", 14350001, "USB", hf6, mixed, {"", "SSB"}},
      {"between rows the radio's mode", 10120000, "CWR", hf6, mixed, {"", "CW"}},
      {"a start with blanks", 3500000, "LSB", hf6, mixed, {"80", "CW"}},
      {"sub-bands out of order", 3590000, "LSB", hf6, mixed, {"80", "DIGI"}},
      {"empty sub-band cells", 7150000, "LSB", hf6, mixed, {"40", "CW"}},
      {"no sub-band: the radio's mode", 21300000, "USB", hf6, mixed, {"15", "SSB"}},
      {"a junk end holds nothing", 28400000, "USB", hf6, mixed, {"", "SSB"}},
      {"below the band's sub-bands", 1800000, "CW", hf6, mixed, {"", "CW"}},
      {"a band the contest lacks", 50150000, "CW", hf6, mixed, {"", "SSB"}},
      {"DIGI in a contest of RTTY", 14080000, "USB", hf6, {"RTTY"}, {"20", "RTTY"}},
      {"data mode in a contest of RTTY", 21080000, "PKTUSB", hf6, {"RTTY"}, {"15", "RTTY"}},
      {"RTTY in a contest of DIGI", 21080000, "RTTYR", hf6, mixed, {"15", "DIGI"}},
      {"an unknown radio mode", 21300000, "SAM", hf6, mixed, {"15", ""}},
      {"FM by its name", 21300000, "FM", hf6, {"SSB", "FM"}, {"15", "FM"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseBandMode(plan, {c.hz, c.radio_mode, ""}, c.bands, c.modes), c.choice) << c.name;
}

TEST(ChooseBandMode, TheFirstRowHoldingTheFrequencyWins) {
  const BandPlan plan = Plan({{"40", "7000", "7300", "7000", "7100", ""},
                              {"40x", "7000", "7300", "", "7000", ""},
                              {"", "", "", "", "", ""}});
  EXPECT_EQ(ChooseBandMode(plan, {7050000, "USB", ""}, {"40", "40x"}, {"CW", "SSB"}),
            (BandModeChoice{"40", "CW"}));
  EXPECT_EQ(ChooseBandMode(InitialBandPlan(), {7050000, "LSB", ""}, {"40"}, {"CW", "SSB"}),
            (BandModeChoice{"", "SSB"}));
}

}  // namespace
}  // namespace mirva
