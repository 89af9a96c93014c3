#include "spots/band_map.h"

#include <gtest/gtest.h>

#include "reference/band_plan.h"

namespace mirva {
namespace {

HeldSpot Held(const char* call, std::int64_t hz, SpotValue value, const char* band = "20",
              std::int64_t at = 0, const char* mode = "CW") {
  HeldSpot held;
  held.spot.call = call;
  held.spot.hz = hz;
  held.worth.value = value;
  held.worth.band = band;
  held.worth.mode = mode;
  held.arrived_ms = at;
  return held;
}

std::string Calls(const std::vector<const HeldSpot*>& spots) {
  std::string calls;
  for (const HeldSpot* held : spots)
    calls += (calls.empty() ? "" : " ") + held->spot.call;
  return calls;
}

std::string Calls(const BandMap& map) {
  return Calls(map.Visible({.all_bands = true}, "", ""));
}

TEST(BandMap, SameCallOnSameBandReplacesAndBecomesNewest) {
  BandMap map;
  map.Add(Held("K1AA", 14010000, SpotValue::kQso));
  map.Add(Held("K1AA", 7010000, SpotValue::kQso, "40"));
  map.Add(Held("DL1AB", 14020000, SpotValue::kMult));
  HeldSpot mark = Held("K1AA", 14030000, SpotValue::kQso);
  mark.spot.by_hand = true;
  map.Add(mark);
  EXPECT_EQ(Calls(map), "K1AA DL1AB K1AA");
  ASSERT_EQ(map.Size(), 3u);
  EXPECT_EQ(map.Newest()->spot.hz, 14030000);
  EXPECT_TRUE(map.Newest()->spot.by_hand);
}

TEST(BandMap, ExpiryAndCapDropTheOldest) {
  BandMap map(1000, 3);
  EXPECT_EQ(map.Newest(), nullptr);
  for (int i = 0; i < 4; ++i)
    map.Add(Held(std::to_string(i).c_str(), 14000000 + i, SpotValue::kQso, "20", i * 400));
  EXPECT_EQ(Calls(map), "1 2 3");
  EXPECT_FALSE(map.Expire(1400));  // the oldest is exactly at the age limit
  EXPECT_TRUE(map.Expire(1401));
  EXPECT_EQ(Calls(map), "2 3");
  map.SetMaxAge(0);
  EXPECT_TRUE(map.Expire(1201));
  EXPECT_EQ(Calls(map), "");
}

TEST(BandMap, Filters) {
  BandMap map;
  map.Add(Held("MULT", 14030000, SpotValue::kMult));
  map.Add(Held("QSO", 14010000, SpotValue::kQso));
  map.Add(Held("DUPE", 14020000, SpotValue::kDupe));
  map.Add(Held("OUT", 14040000, SpotValue::kOut, "20", 0, "RTTY"));
  map.Add(Held("NOMODE", 14050000, SpotValue::kQso, "20", 0, ""));
  map.Add(Held("FORTY", 7010000, SpotValue::kMult, "40"));
  struct Case {
    BandMapFilter filter;
    const char* shown;
  };
  const Case cases[] = {
      {{}, "QSO DUPE MULT OUT NOMODE"},
      {{.all_bands = true}, "FORTY QSO DUPE MULT OUT NOMODE"},
      {{.own_mode = true}, "QSO DUPE MULT NOMODE"},
      {{.hide_dupes = true}, "QSO MULT OUT NOMODE"},
      {{.all_bands = true, .mults_only = true}, "FORTY MULT"},
      {{.out_of_band = false}, "QSO DUPE MULT NOMODE"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Calls(map.Visible(c.filter, "20", "CW")), c.shown) << c.shown;
}

TEST(BandMap, NextAboveAndBelowSkipTheSameFrequency) {
  BandMap map;
  for (std::int64_t hz : {14010000, 14020000, 14020040, 14030000})
    map.Add(Held(std::to_string(hz).c_str(), hz, SpotValue::kQso));
  std::vector<const HeldSpot*> shown = map.Visible({}, "20", "CW");
  struct Case {
    std::int64_t from;
    bool up;
    std::int64_t next;  ///< 0: none
  };
  const Case cases[] = {
      {14020000, true, 14030000},  {14020000, false, 14010000}, {14019960, true, 14020040},
      {14019949, true, 14020000},  {14030000, true, 0},         {14010050, false, 0},
      {14010051, false, 14010000}, {0, true, 14010000},
  };
  for (const Case& c : cases) {
    const HeldSpot* next = NextSpot(shown, c.from, c.up);
    EXPECT_EQ(next ? next->spot.hz : 0, c.next) << c.from << (c.up ? " up" : " down");
  }
  EXPECT_EQ(NextSpot({}, 14000000, true), nullptr);
}

TEST(BandMap, ReweighTouchesOnlyOutdatedSpotsOfTheBand) {
  BandMap map;
  map.Add(Held("K1AA", 14010000, SpotValue::kMult));
  map.Add(Held("K1AA", 7010000, SpotValue::kMult, "40"));
  int calls = 0;
  SpotWeigher dupe = [&](const Spot& spot) {
    ++calls;
    SpotWorth worth;
    worth.value = SpotValue::kDupe;
    worth.band = spot.hz < 10000000 ? "40" : "20";
    return worth;
  };
  EXPECT_EQ(map.Reweigh(dupe), 0u);
  map.Outdate();
  EXPECT_EQ(map.Reweigh(dupe, "20"), 1u);
  EXPECT_EQ(Calls(map.Visible({.all_bands = true, .hide_dupes = true}, "", "")), "K1AA");
  EXPECT_EQ(map.Reweigh(dupe, "20"), 0u);
  EXPECT_EQ(map.Reweigh(dupe), 1u);
  EXPECT_EQ(calls, 2);
}

TEST(BandMap, AQsoOutdatesOnlyItsCallAndTheNewMultipliers) {
  BandMap map;
  map.Add(Held("K1AA", 14010000, SpotValue::kQso));
  map.Add(Held("K1AA", 7010000, SpotValue::kDupe, "40"));
  map.Add(Held("DL1AB", 14020000, SpotValue::kMult));
  map.Add(Held("UA3X", 14030000, SpotValue::kQso));
  map.Add(Held("W1AW", 14040000, SpotValue::kDupe));
  map.OutdateAfterQso("K1AA");
  std::vector<std::string> weighed;
  map.Reweigh([&](const Spot& spot) {
    weighed.push_back(spot.call + "@" + std::to_string(spot.hz / 1000000));
    return SpotWorth{SpotValue::kDupe, "20", "CW", "", true};
  });
  EXPECT_EQ(weighed, (std::vector<std::string>{"K1AA@14", "K1AA@7", "DL1AB@14"}));
}

TEST(BandMap, BandEdgesFromThePlanElseTheUsualOnes) {
  BandPlan plan = InitialBandPlan();
  plan.SetCell(0, 1, "160");
  plan.SetCell(1, 1, "1810");
  plan.SetCell(2, 1, "1850.5");
  plan.SetCell(0, 2, "80");
  plan.SetCell(1, 2, "junk");
  struct Case {
    const char* band;
    std::int64_t low;  ///< 0: none
    std::int64_t high;
  };
  const Case cases[] = {{"160", 1810000, 1850500},
                        {"80", 3500000, 4000000},
                        {"20", 14000000, 14350000},
                        {"13", 0, 0}};
  for (const Case& c : cases) {
    std::optional<HzRange> edges = BandEdges(plan, c.band);
    EXPECT_EQ(edges ? edges->low : 0, c.low) << c.band;
    EXPECT_EQ(edges ? edges->high : 0, c.high) << c.band;
  }
}

TEST(StackLabels, OverlappingLabelsMoveDown) {
  EXPECT_EQ(StackLabels({0, 5, 30, 31, 31, 100}, 10), (std::vector<int>{0, 10, 30, 40, 50, 100}));
  EXPECT_EQ(StackLabels({}, 10), std::vector<int>{});
}

}  // namespace
}  // namespace mirva
