#include "reference/callsign.h"

#include <gtest/gtest.h>

namespace mirva {
namespace {

TEST(WpxPrefix, WorkedValues) {
  struct Case {
    std::string_view call;
    std::string_view prefix;
  } cases[] = {
      {"", ""},
      {"2E0ABC", "2E0"},
      {"ABCD", "ABCD0"},  // no digit at all
      {"2ABC", "2ABC"},   // the only digit comes first: nothing is cut
      // Designators that are ignored, and their near misses.
      {"K1ABC/P", "K1"},
      {"K1ABC/QRPP", "QRPP0"},
      // A call-area digit replaces the call's last digit.
      {"2E0ABC/7", "2E7"},
      {"ABC/5", "5"},
      // Other designators after the call.
      {"DL1ABC/OE", "OE0"},
      {"DL1ABC/OE3", "OE3"},
      {"DL1ABC/3DA0X", "3DA0"},
      // Designators before the call.
      {"VP2E/K1ABC", "VP2"},
      // Degenerate slashes.
      {"K1ABC/", "0"},
      {"/K1ABC", "0"},
      {"AB/CD", "CD0"},  // a tie keeps the right part as the designator
  };
  for (const Case& c : cases)
    EXPECT_EQ(WpxPrefix(c.call), c.prefix) << c.call;
}

TEST(SplitPortable, PicksTheShorterSideAsDesignator) {
  struct Case {
    std::string_view call;
    int result;
    std::string_view base;
    std::string_view designator;
  } cases[] = {
      {"K1ABC", 0, "K1ABC", ""},
      {"AB/CD", 1, "AB", "CD"},
      {"OE/DL1ABC/P", 2, "DL1ABC/P", "OE"},  // only the first '/' splits
  };
  for (const Case& c : cases) {
    std::string base = "stale";
    std::string designator = "stale";
    EXPECT_EQ(SplitPortable(c.call, base, designator), c.result) << c.call;
    EXPECT_EQ(base, c.base) << c.call;
    EXPECT_EQ(designator, c.designator) << c.call;
  }
}

TEST(LeadingNumber, ReadsTheDigitsAtTheStart) {
  struct Case {
    std::string_view text;
    int32_t value;
  } cases[] = {
      {"599", 599}, {"59A", 59}, {"001 15", 1}, {"0", 0},   {"2147483647", 2147483647}, {"A59", -1},
      {"", -1},     {" 5", -1},  {"-5", -1},    {"+5", -1}, {"2147483648", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

// Letters and digits at the ends of a call: the trailing upper-case run and the last digit.
TEST(CallEnds, TrailingLettersAndLastDigit) {
  struct Case {
    std::string_view text;
    std::string_view letters;
    int last_digit;
  } cases[] = {
      {"UA3ABC/P", "P", 3}, {"", "", 0},  {"ABC", "ABC", 0},   {"UA3ABc", "", 3},
      {"K1\xC0Z", "Z", 2},  {"1", "", 1}, {"2E0ABC/5", "", 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrailingLetters(c.text), c.letters) << c.text;
    EXPECT_EQ(LastDigitPos(c.text), c.last_digit) << c.text;
  }
}

TEST(RegionByCall, LooksUpTheDistrictKey) {
  const std::vector<TDomestic> list = {
      {"3A", "MA"}, {"3A", "second"}, {"1A", "SP"}, {"", ""}, {"0", "bad"},
  };
  struct Case {
    std::string_view call;
    std::string_view region;
  } cases[] = {
      {"UA3ABC", "MA"},     // the first matching entry wins
      {"UA0", ""},          // digit is last
      {"UA", ""},           // no digit
      {"", ""},             // empty call never matches the empty line
      {"UA3ABC/1A", "SP"},  // the last digit of the whole call counts
  };
  for (const Case& c : cases)
    EXPECT_EQ(RegionByCall(c.call, list), c.region) << c.call;
}

TEST(BandIndex, FindsTheLastEqualLine) {
  const std::vector<std::string> bands = {"160", "80", "40", "20", "15", "10"};
  EXPECT_EQ(BandIndex(bands, "160"), 0);
  EXPECT_EQ(BandIndex(bands, "10"), 5);
  EXPECT_EQ(BandIndex(bands, "1"), -1);
  EXPECT_EQ(BandIndex({}, "20"), -1);
  EXPECT_EQ(ModeIndex({"CW", "SSB", "CW"}, "CW"), 2);
  EXPECT_EQ(ModeIndex({"CW", "SSB"}, "cw"), -1);
}

}  // namespace
}  // namespace mirva
