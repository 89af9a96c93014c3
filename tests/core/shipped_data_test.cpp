// The reference files that a new working directory gets from data/.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "contest/rules/rules.h"
#include "posix_file_system.h"
#include "reference/callsign.h"
#include "reference/domestic.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {
namespace {

std::string Shipped(const std::string& name) {
  std::optional<std::string> text =
      PosixFileSystem().ReadFile(std::string(MIRVA_SHIPPED_DATA) + "/" + name);
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
  struct Case {
    const char* call;
    const char* oblast;
  } cases[] = {{"UA1ABC", "SP"}, {"RA3AA", "MA"},  {"R9AA", "CB"}, {"UA2FAA", "KA"},
               {"UA0AAA", "KK"}, {"UA6LAA", "RO"}, {"UA4", ""}};
  for (const Case& c : cases)
    EXPECT_EQ(RegionByCall(c.call, districts), c.oblast) << c.call;
}

}  // namespace
}  // namespace mirva
