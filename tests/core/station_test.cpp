#include "reference/station.h"

#include <gtest/gtest.h>

#include "posix_file_system.h"

namespace mirva {
namespace {

TEST(Station, CallThenCountryFillTheFields) {
  CountryDatabase db;
  db.Load(PosixFileSystem().ReadFile(std::string(MIRVA_TEST_DATA) + "/CTY.DAT").value_or(""));
  TStationCFG station;
  station.State = "3";
  EXPECT_EQ(FillStationFromCall(db, "UA3ABC", station), "European Russia");
  EXPECT_EQ(station, (TStationCFG{"", "UA", "29", "16", "EU", "53.65", "-41.37", "3"}));

  EXPECT_EQ(FillStationFromCountry(db, "DL", station), "Fed. Rep. of Germany");
  EXPECT_EQ(station, (TStationCFG{"", "DL", "28", "14", "EU", "51.00", "-10.00", "3"}));

  EXPECT_EQ(FillStationFromCountry(db, "XX", station), "");  // unknown: nothing changes
  EXPECT_EQ(station.Country, "DL");

  EXPECT_EQ(FillStationFromCall(db, "IG9ABC", station), "African Italy");  // WAE-only counts
  EXPECT_EQ(station.Country, "IG9");

  EXPECT_EQ(FillStationFromCall(db, "QQ1ABC", station), "");  // no match empties the place
  EXPECT_EQ(station, (TStationCFG{"", "IG9", "", "", "", "", "", "3"}));
}

}  // namespace
}  // namespace mirva
