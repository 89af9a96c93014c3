#include "contest/station.h"

#include <gtest/gtest.h>

namespace mirva {
namespace {

constexpr char kCountries[] =
    "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
    "    R,U,UA;\n"
    "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
    "    DL;\n"
    "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
    "    IT9;\n";

TEST(Station, CallThenCountryFillTheFields) {
  CountryDatabase db;
  db.Load(kCountries);
  TStationCFG station;
  station.State = "3";
  EXPECT_EQ(FillStationFromCall(db, "UA3ABC", station), "European Russia");
  EXPECT_EQ(station, (TStationCFG{"", "UA", "29", "16", "EU", "53.65", "-41.37", "3"}));

  EXPECT_EQ(FillStationFromCountry(db, "DL", station), "Fed. Rep. of Germany");
  EXPECT_EQ(station, (TStationCFG{"", "DL", "28", "14", "EU", "51.00", "-10.00", "3"}));

  EXPECT_EQ(FillStationFromCountry(db, "XX", station), "");  // unknown: nothing changes
  EXPECT_EQ(station.Country, "DL");

  EXPECT_EQ(FillStationFromCall(db, "IT9ABC", station), "Sicily");  // WAE-only countries count
  EXPECT_EQ(station.Country, "IT9");

  EXPECT_EQ(FillStationFromCall(db, "QQ1ABC", station), "");  // no match empties the place
  EXPECT_EQ(station, (TStationCFG{"", "IT9", "", "", "", "", "", "3"}));
}

}  // namespace
}  // namespace mirva
