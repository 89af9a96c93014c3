// The reference files that a new working directory gets from data/.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "contest/callsign.h"
#include "contest/domestic.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {
namespace {

std::string Shipped(const std::string& name) {
  std::ifstream in(std::string(MIRVA_SHIPPED_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ShippedData, CatalogueHoldsEachContestOnceByItsExactName) {
  const std::set<std::string> names = {
      "CQ WW DX Contest (SSB)", "CQ WW DX Contest (CW)", "ARRL 10 meter Contest",
      "Чемпионат/Кубок России телефоном", "Чемпионат/Кубок России телеграфом",
      "ARRL RTTY Round-Up Contest", "Japan International DX Contest (LF CW)",
      "Japan International DX Contest (HF CW)", "Japan International DX Contest (PHONE)",
      "DARC 10m-Contest", "Hungarian DX Contest", "CQ WW 160m DX contest (SSB)",
      "CQ WW 160m DX contest (CW)", "CQ WW RTTY WPX Contest", "ARRL International DX Contest (CW)",
      "ARRL International DX Contest (SSB)", "REF contest (CW) Non France station",
      "REF contest (SSB) Non France station", "UBA DX Contest (CW)", "UBA DX Contest (SSB)",
      "Russian DX contest", "CQ WW WPX Contest (CW)", "CQ WW WPX Contest (SSB)", "SP DX Contest",
      "EA WW RTTY Contest", "GACW CW DX Contest", "HOLYLAND DX Contest", "YU DX Contest",
      "SP DX RTTY Contest", "Helvetia contest", "ARI International DX Contest",
      "CQ-M International DX Contest", "VOLTA RTTY WW Contest", "Anatolian WW RTTY Contest",
      "King of Spain Contest (SSB)", "King of Spain Contest (CW)"};
  std::set<std::string> seen;
  std::string catalogue = Shipped("Contests.mrv");
  for (std::string_view line : SplitLines(catalogue)) {
    std::string utf8 = Cp1251ToUtf8(line);
    EXPECT_TRUE(names.count(utf8)) << utf8;
    EXPECT_TRUE(seen.insert(utf8).second) << "twice: " << utf8;
  }
  EXPECT_EQ(seen.size(), 36u);
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
    EXPECT_EQ(list.size(), SplitLines(text).size()) << c.file << ": a name with a blank";
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
  } cases[] = {{"UA1ABC", "SP"}, {"RA3AA", "MA"}, {"R9AA", "CB"}, {"UA2FAA", "KA"},
               {"UA0AAA", "KK"}, {"UA6LAA", "RO"}, {"UA4", ""}};
  for (const Case& c : cases)
    EXPECT_EQ(RegionByCall(c.call, districts), c.oblast) << c.call;
}

}  // namespace
}  // namespace mirva
