#include "reference/station.h"

#include <gtest/gtest.h>

#include "native_file_system.h"

namespace mirva {
namespace {

TEST(Station, CallThenCountryFillTheFields) {
  CountryDatabase db;
  db.Load(NativeFileSystem().ReadFile(std::string(MIRVA_TEST_DATA) + "/CTY.DAT").value_or(""));
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

TEST(Station, NumberFieldsTakeDecimalsInTheirRange) {
  struct Case {
    std::string TStationCFG::*field;
    const char* value;
    bool good;
  };
  const Case cases[] = {
      {&TStationCFG::ITU, "", true},          {&TStationCFG::ITU, "1", true},
      {&TStationCFG::ITU, "90", true},        {&TStationCFG::ITU, "0", false},
      {&TStationCFG::ITU, "91", false},       {&TStationCFG::ITU, "5.0", false},
      {&TStationCFG::ITU, " 5", false},       {&TStationCFG::CQ, "40", true},
      {&TStationCFG::CQ, "41", false},        {&TStationCFG::CQ, "99999999999999999999", false},
      {&TStationCFG::Lat, "-90", true},       {&TStationCFG::Lat, "53.65", true},
      {&TStationCFG::Lat, "90.01", false},    {&TStationCFG::Lat, "+5", false},
      {&TStationCFG::Lat, "1e1", false},      {&TStationCFG::Lat, "5.", false},
      {&TStationCFG::Lat, "-", false},        {&TStationCFG::Long, "-180", true},
      {&TStationCFG::Long, "-180.5", false},  {&TStationCFG::Long, "12,5", false},
      {&TStationCFG::State, "abc", true},     {&TStationCFG::Call, "-1", false},
      {&TStationCFG::Call, "DL1ABC/P", true}, {&TStationCFG::State, "a	b", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StationValueProblem(c.field, c.value).empty(), c.good) << c.value;
  EXPECT_EQ(StationValueProblem(&TStationCFG::CQ, "0"),
            "the CQ zone must be a whole number from 1 to 40");
}

TEST(Station, TheFirstBadFieldIsFound) {
  TStationCFG station{"UA3ABC", "UA", "29", "16", "EU", "53.65", "-41.37", "3"};
  EXPECT_FALSE(FindStationProblem(station));
  station.Long = "200";
  station.CQ = "0";
  std::optional<StationProblem> problem = FindStationProblem(station);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->field, &TStationCFG::CQ);
}

TEST(Station, TheLongitudeTurnsBetweenWestAndEastPositive) {
  const std::pair<const char*, const char*> cases[] = {
      {"-10.00", "10.00"}, {"41.37", "-41.37"}, {"-180", "180"}, {"0.00", "0.00"}, {"", ""},
      {"E10", "E10"},
  };
  for (const auto& [text, turned] : cases) {
    EXPECT_EQ(TurnedLongitude(text), turned) << text;
    EXPECT_EQ(TurnedLongitude(turned), text) << turned;
  }
}

}  // namespace
}  // namespace mirva
