// The reference files that a new working directory gets from data/.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "contest/key_tables.h"
#include "contest/rules/rules.h"
#include "native_file_system.h"
#include "reference/callsign.h"
#include "reference/domestic.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {
namespace {

std::string Shipped(const std::string& name) {
  std::optional<std::string> text =
      NativeFileSystem().ReadFile(std::string(MIRVA_SHIPPED_DATA) + "/" + name);
  EXPECT_TRUE(text) << name;
  return text.value_or("");
}

TEST(ShippedData, CatalogueNamesEveryContestOnce) {
  std::string catalogue = Shipped("Contests.mrv");
  std::set<std::string_view> names;
  for (std::string_view line : SplitLines(catalogue)) {
    EXPECT_NE(FindContestRules(line), nullptr) << Cp1251ToUtf8(line);
    EXPECT_TRUE(names.insert(line).second) << "twice: " << Cp1251ToUtf8(line);
  }
  EXPECT_EQ(names.size(), AllContestRules().size());
}

TEST(ShippedData, DomesticListsHaveOneWordCodesAndNames) {
  struct Case {
    const char* file;
    std::size_t min_entries;
  } cases[] = {{"Spain.DOM", 52}, {"ITALY.DOM", 100}, {"Helvetia.DOM", 26}, {"RUS.DOM", 100}};
  for (const Case& c : cases) {
    std::string text = Shipped(c.file);
    std::vector<TDomestic> list = ParseDomesticList(text);
    EXPECT_GE(list.size(), c.min_entries) << c.file;
    std::set<std::string> codes;
    for (const TDomestic& d : list) {
      EXPECT_FALSE(d.Code.empty() || d.Name.empty()) << c.file;
      EXPECT_TRUE(codes.insert(d.Code).second) << c.file << " twice: " << d.Code;
    }
  }
}

TEST(ShippedData, RussianDistrictsLeadToTheirOblast) {
  std::vector<TDomestic> districts = ParseDomesticList(Shipped("RUS.DOM"));
  // One call per district digit (2 and 5 share the letters of 3, 7 those of 6, 8 those of
  // 9, except Kaliningrad's 2F and 2K); then keys that pointed to a wrong or retired code or
  // were missing; and no letter after the digit, no key.
  struct Case {
    const char* call;
    const char* oblast;
  } cases[] = {
      {"UA1ABC", "SP"}, {"RA2AA", "MA"}, {"UA2FAA", "KA"}, {"RK2KA", "KA"},  {"RA3AA", "MA"},
      {"UA4WA", "UD"},  {"R5DA", "MO"},  {"UA6LAA", "RO"}, {"R7AA", "KR"},   {"R7FA", "ST"},
      {"R8AA", "CB"},   {"RA8FA", "PM"}, {"R9AA", "CB"},   {"UA0AAA", "KK"}, {"UA3MAA", "YR"},
      {"RA4CA", "SA"},  {"RA4DA", "SA"}, {"RA4HA", "SR"},  {"RA4IA", "SR"},  {"UA9GA", "PM"},
      {"RA9KA", "YN"},  {"UA0BA", "KK"}, {"UA0HA", "KK"},  {"UA0TA", "IR"},  {"UA0UA", "ZK"},
      {"UA0VA", "ZK"},  {"UA0XA", "KT"}, {"RA3KA", "VR"},  {"RA3OA", "VR"},  {"R6KA", "RK"},
      {"R7KA", "RK"},   {"R6TA", "ST"},  {"RA0RA", "IR"},  {"R6OA", "DO"},   {"R6ZA", "LU"},
      {"R7RA", "SE"},   {"UA4", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RegionByCall(c.call, districts), c.oblast) << c.call;
}

// A proposed oblast is always one the Russian DX contest counts.
TEST(ShippedData, EveryRussianDistrictNamesAnOblastMultiplier) {
  std::set<std::string_view> oblasts(std::begin(kRussianOblasts), std::end(kRussianOblasts));
  for (const TDomestic& d : ParseDomesticList(Shipped("RUS.DOM"))) {
    bool district_key = LastDigitPos(d.Code) == 1 && TrailingLetters(d.Code).size() == 1;
    EXPECT_TRUE(district_key && d.Code.size() == 2) << d.Code;
    EXPECT_TRUE(oblasts.contains(d.Name)) << d.Code << "=" << d.Name;
  }
}

}  // namespace
}  // namespace mirva
