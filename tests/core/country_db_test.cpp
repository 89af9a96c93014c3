#include "contest/country_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "posix_file_system.h"
#include "text/strings.h"

namespace mirva {
namespace {

constexpr const char* kRealCountryFile = "/usr/share/hamradio-files/cty.dat";
constexpr const char* kRealCallFile = "/usr/share/hamradio-files/MASTER.SCP";
const std::string kFixtureFile = std::string(MIRVA_TEST_DATA) + "/CTY.DAT";
const std::string kHeader =
    "Nowhere:                  01:  02:  EU:    1.00:     2.00:     0.0:  XX:\n";

std::optional<std::string> ReadFile(const std::string& path) {
  return PosixFileSystem().ReadFile(path);
}

CountryDatabase Loaded(const std::string& path) {
  std::optional<std::string> text = ReadFile(path);
  EXPECT_TRUE(text) << path << " missing";
  CountryDatabase db;
  db.Load(text.value_or(""));
  return db;
}

auto Fields(const TCountry& c) {
  return std::make_tuple(c.Name, c.ITUZone, c.CQZone, c.Continent, c.Latitude, c.Longitude,
                         c.UTCOffset, c.Prefix, c.WAE);
}

TEST(CountryDatabaseLoad, ReadsHeaderColumns) {
  CountryDatabase db = Loaded(kFixtureFile);
  ASSERT_EQ(db.CountryList().size(), 14u);
  struct Case {
    std::size_t index;
    TCountry expected;
  } cases[] = {
      {0, {"Austria", "28", "15", "EU", "47.33", "-13.33", "-1.0", "OE", false}},
      {2, {"African Italy", "37", "33", "AF", "35.67", "-12.67", "-1.0", "IG9", true}},
      {12, {"United States of America", "08", "05", "NA", "37.60", "91.87", "5.0", "K", false}},
      {13, {"Philippines", "50", "27", "OC", "13.00", "-123.4", "-8.0", "DU", false}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Fields(db.CountryList()[c.index]), Fields(c.expected));
}

TEST(CountryDatabaseLoad, SplitsWordsAndTakesOutZoneOverrides) {
  CountryDatabase db = Loaded(kFixtureFile);
  EXPECT_EQ(db.PrefixList().size(), 80u);
  using Entry = std::tuple<std::string, std::string, std::string>;  // primary, CQ, ITU
  struct Case {
    std::string_view prefix;
    std::vector<Entry> entries;
  } cases[] = {
      {"UA9", {{"UA9", "17", "30"}}},
      {"VY1", {{"VE", "01", "02"}}},
      // Overrides are taken out before the word is cut to 10 characters, so none is lost.
      {"=OE2025CON", {{"OE", "09", "28"}}},
      {"UA0", {{"UA9", "19", "33"}}},
      {"UA0[33", {}},
      {" Y2", {{"DL", "14", "28"}}},
      {"Y2", {}},
      {"IG9", {{"IG9", "33", "37"}, {"I", "33", "28"}}},
  };
  for (const Case& c : cases) {
    std::vector<Entry> got;
    for (const TPrefixEntry& entry : db.PrefixList()) {
      if (entry.Prefix == c.prefix)
        got.emplace_back(entry.Primary, entry.CQZone, entry.ITUZone);
    }
    EXPECT_EQ(got, c.entries) << c.prefix;
  }
}

TEST(CountryDatabaseLoad, OddTextNeverFails) {
  struct Case {
    std::string text;
    std::vector<std::string> names;
    std::vector<std::string> prefixes;
    std::string first_cq = "";
    std::string first_itu = "";
  } cases[] = {
      {"", {}, {}},
      {"\r\n\n   \n", {}, {}},
      // Prefix lines before the first header and empty lines are skipped.
      {"    AB,CD;\n\n" + kHeader + "\n    XX;\n", {"Nowhere"}, {"XX"}, "01", "02"},
      {kHeader + "    A,,B;;C,\n", {"Nowhere"}, {"A", "B", "C"}, "01", "02"},
      // An opening mark without its closing mark after it is no override.
      {kHeader + "    AB(5,CD[7;\n", {"Nowhere"}, {"AB(5", "CD[7"}, "01", "02"},
      {kHeader + "    A)B(5)\n", {"Nowhere"}, {"A)B"}, "05", "02"},
      {kHeader + "    A[3](40)\n", {"Nowhere"}, {"A"}, "40", "03"},
      {kHeader + "    A()\n", {"Nowhere"}, {"A"}, "00", "02"},
      {kHeader + "    ABCDEFGHIJKL(5)\n", {"Nowhere"}, {"ABCDEFGHIJ"}, "05", "02"},
      {kHeader + "    A(123456789012)\n", {"Nowhere"}, {"A"}, "1234567890", "02"},
      {"Short:\n    S;\n", {"Short"}, {"S"}, "", ""},
      {"Cut:" + std::string(22, ' ') + "1\n    S;\n", {"Cut"}, {"S"}, "1", ""},
      {":\n", {""}, {}},
      // Control characters count as blanks when the name is trimmed.
      {std::string("\x01\xff\0junk", 7) + std::string(300, '\xb7') + "\n \0\n",
       {std::string("\xff\0junk", 6) + std::string(17, '\xb7')},
       {}},
  };
  for (const Case& c : cases) {
    CountryDatabase db;
    db.Load(c.text);
    std::vector<std::string> names;
    for (const TCountry& country : db.CountryList())
      names.push_back(country.Name);
    std::vector<std::string> prefixes;
    for (const TPrefixEntry& entry : db.PrefixList())
      prefixes.push_back(entry.Prefix);
    EXPECT_EQ(names, c.names) << c.text;
    EXPECT_EQ(prefixes, c.prefixes) << c.text;
    if (!db.PrefixList().empty()) {
      EXPECT_EQ(db.PrefixList()[0].CQZone, c.first_cq) << c.text;
      EXPECT_EQ(db.PrefixList()[0].ITUZone, c.first_itu) << c.text;
    }
  }
}

TEST(CountryDatabaseFind, PicksLongestPrefixInFileOrder) {
  CountryDatabase db = Loaded(kFixtureFile);
  struct Case {
    std::string_view call;
    bool allow_wae;
    std::string_view name;  // empty: no match
    std::string_view cq = "";
    std::string_view itu = "";
  } cases[] = {
      {"UA9ABC", true, "Asiatic Russia", "17", "30"},
      {"UA0ABC", true, "Asiatic Russia", "19", "33"},
      {"UA", false, "European Russia", "16", "29"},
      {"VE3XYZ", true, "Canada", "04", "04"},
      {"VE7XYZ", true, "Canada", "05", "09"},
      {"KL7ABC", false, "United States of America", "01", "01"},
      // "/" is an ordinary character: the call is matched from its start.
      {"OE/DL1ABC", true, "Austria", "15", "28"},
      {"DL1ABC/OE", true, "Fed. Rep. of Germany", "14", "28"},
      // An "=" word is kept as text and so never matches a callsign.
      {"IB9ABC", true, "Italy", "15", "28"},
      {"Y2ABC", true, ""},
      {"Y3ABC", true, "Fed. Rep. of Germany", "14", "28"},
      // Among equal prefixes the first in file order wins, skipping WAE-only ones on request.
      {"IT9ABC", true, "Italy", "15", "28"},
      {"IM0ABC", true, "Italy", "15", "28"},
      {"IG9ABC", true, "African Italy", "33", "37"},
      {"IG9ABC", false, "Italy", "33", "28"},
      {"IH9ABC", false, "Italy", "15", "28"},
      {"TA1ABC", true, "European Turkey", "20", "39"},
      {"TA1ABC", false, "Asiatic Turkey", "20", "39"},
      {"4U1VIC", true, "Vienna Intl Ctr", "15", "28"},
      {"4U1VIC", false, ""},
      {"ua9abc", true, ""},
      {"", true, ""},
      {"QQ1QQ", true, ""},
  };
  for (const Case& c : cases) {
    TCountry rec;
    rec.Name = "untouched";
    rec.CQZone = "99";
    bool hit = db.FindCountry(c.call, rec, c.allow_wae);
    EXPECT_EQ(hit, !c.name.empty()) << c.call;
    EXPECT_EQ(rec.Name, c.name.empty() ? "untouched" : c.name) << c.call << " " << c.allow_wae;
    EXPECT_EQ(rec.CQZone, c.name.empty() ? "99" : c.cq) << c.call;
    EXPECT_EQ(rec.ITUZone, c.itu) << c.call;
  }
}

// Zones longer than a lookup gives are cut; an entry whose primary prefix heads two countries
// takes the first of them.
TEST(CountryDatabaseFind, CutsZonesAndTakesTheFirstCountryOfAPrimary) {
  CountryDatabase db;
  db.Load(
      "First:                    01:  02:  EU:    1.00:     2.00:     0.0:  XX:\n"
      "    XA(12345)[123456];\n"
      "Second:                   03:  04:  AS:    1.00:     2.00:     0.0:  XX:\n"
      "    XB;\n");
  TCountry rec;
  ASSERT_TRUE(db.FindCountry("XA1A", rec, true));
  EXPECT_EQ(rec.CQZone + " " + rec.ITUZone, "1234 1234");
  ASSERT_TRUE(db.FindCountry("XB1A", rec, true));
  EXPECT_EQ(rec.Name + " " + rec.Continent + " " + rec.CQZone, "First EU 03");
}

TEST(CountryDatabaseLoad, RenameLastsUntilLoadAndClearEmpties) {
  std::optional<std::string> text = ReadFile(kFixtureFile);
  ASSERT_TRUE(text);
  CountryDatabase db;
  db.Load(*text);
  db.SetCountryName(1, "Germany");
  EXPECT_THROW(db.SetCountryName(db.CountryList().size(), "x"), std::out_of_range);
  TCountry rec;
  ASSERT_TRUE(db.FindCountry("DL1ABC", rec, true));
  EXPECT_EQ(rec.Name, "Germany");
  db.Load(*text);
  ASSERT_TRUE(db.FindCountry("DL1ABC", rec, true));
  EXPECT_EQ(rec.Name, "Fed. Rep. of Germany");

  db.Load(kHeader + "    XX;\n");
  EXPECT_EQ(db.CountryList().size(), 1u);
  EXPECT_FALSE(db.FindCountry("DL1ABC", rec, true));
  EXPECT_TRUE(db.FindCountry("XX1A", rec, true));
  db.Clear();
  EXPECT_TRUE(db.CountryList().empty());
  EXPECT_TRUE(db.PrefixList().empty());
  EXPECT_FALSE(db.FindCountry("XX1A", rec, true));
}

TEST(RealCountryFile, LoadsAndFindsWellKnownCalls) {
  std::optional<std::string> text = ReadFile(kRealCountryFile);
  if (!text)
    GTEST_SKIP() << kRealCountryFile << " not installed";
  CountryDatabase db;
  db.Load(*text);
  EXPECT_GT(db.CountryList().size(), 300u);
  EXPECT_LT(db.CountryList().size(), 450u);
  EXPECT_GT(db.PrefixList().size(), 20000u);
  EXPECT_LT(db.PrefixList().size(), 40000u);
  struct Case {
    std::string_view call;
    bool allow_wae;
    std::string_view prefix;
    std::string_view cq;
    std::string_view itu;
  } cases[] = {
      {"DL1ABC", true, "DL", "14", "28"},  {"K1ABC", true, "K", "05", "08"},
      {"UA9ABC", true, "UA9", "17", "30"}, {"R9ABC", false, "UA9", "17", "30"},
      {"R0ABC", true, "UA9", "18", "32"},  {"UA3ABC", true, "UA", "16", "29"},
      {"IG9ABC", true, "IG9", "33", "37"}, {"TA1ABC", true, "TA1", "20", "39"},
      {"TA1ABC", false, "TA", "20", "39"}, {"OE/DL1ABC", true, "OE", "15", "28"},
      {"UA0DAA", true, "UA9", "19", "33"},  // from "UA0(19)[33]", 11 characters long
  };
  for (const Case& c : cases) {
    TCountry rec;
    ASSERT_TRUE(db.FindCountry(c.call, rec, c.allow_wae)) << c.call;
    EXPECT_EQ(rec.Prefix, c.prefix) << c.call;
    EXPECT_EQ(rec.CQZone, c.cq) << c.call;
    EXPECT_EQ(rec.ITUZone, c.itu) << c.call;
  }
  TCountry germany;
  db.FindCountry("DL1ABC", germany, true);
  EXPECT_EQ(germany.Name, "Fed. Rep. of Germany");
}

// The lookup as a plain linear scan of PrefixList for every length, longest first: the
// behaviour the indexed lookup has to reproduce.
bool ScanForCountry(const CountryDatabase& db, std::string_view call, TCountry& rec,
                    bool allow_wae) {
  const std::vector<TCountry>& countries = db.CountryList();
  for (std::size_t length = call.size(); length >= 1; --length) {
    for (const TPrefixEntry& entry : db.PrefixList()) {
      if (entry.Prefix != call.substr(0, length))
        continue;
      auto country = std::find_if(countries.begin(), countries.end(),
                                  [&](const TCountry& c) { return c.Prefix == entry.Primary; });
      if (country == countries.end() || (!allow_wae && country->WAE))
        continue;
      rec = *country;
      rec.CQZone = entry.CQZone.substr(0, 4);
      rec.ITUZone = entry.ITUZone.substr(0, 4);
      return true;
    }
  }
  return false;
}

// Calls built from every `stride`-th prefix word: the word itself, shorter and longer, and
// portable forms.
std::vector<std::string> CallsFromWords(const CountryDatabase& db, std::size_t stride) {
  std::vector<std::string> calls;
  for (std::size_t i = 0; i < db.PrefixList().size(); i += stride) {
    const std::string& prefix = db.PrefixList()[i].Prefix;
    calls.insert(calls.end(), {prefix, prefix.substr(0, prefix.size() / 2), prefix + "1ABC",
                               prefix + "/P", "OE/" + prefix});
  }
  return calls;
}

void ExpectSameAsScan(const CountryDatabase& db, const std::vector<std::string>& calls) {
  for (const std::string& call : calls) {
    for (bool allow_wae : {true, false}) {
      TCountry found;
      TCountry scanned;
      found.Name = scanned.Name = "untouched";
      bool hit = db.FindCountry(call, found, allow_wae);
      ASSERT_EQ(hit, ScanForCountry(db, call, scanned, allow_wae)) << call << " " << allow_wae;
      ASSERT_EQ(Fields(found), Fields(scanned)) << call << " " << allow_wae;
    }
  }
}

// The index against the scan: on the fixture for every word, on the real country file for a
// sample of words and of real calls, which keeps the scan affordable.
TEST(CountryDatabaseFind, AgreesWithScan) {
  CountryDatabase fixture = Loaded(kFixtureFile);
  std::vector<std::string> calls = CallsFromWords(fixture, 1);
  calls.insert(calls.end(), {"", "=", " ", " Y2", "Y", "=OE2025CONTEST", "4U1V", "IG"});
  ExpectSameAsScan(fixture, calls);

  std::optional<std::string> text = ReadFile(kRealCountryFile);
  if (!text)
    GTEST_SKIP() << kRealCountryFile << " not installed";
  CountryDatabase db;
  db.Load(*text);
  calls = CallsFromWords(db, 500);
  if (std::optional<std::string> scp = ReadFile(kRealCallFile)) {
    std::vector<std::string_view> lines = SplitLines(*scp);
    for (std::size_t i = 0; i < lines.size(); i += 1200)
      calls.emplace_back(Trim(lines[i]));
  }
  ExpectSameAsScan(db, calls);
}

}  // namespace
}  // namespace mirva
