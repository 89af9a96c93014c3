#include "contest/country_db.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

#include "text/strings.h"

namespace mirva {
namespace {

constexpr const char* kRealCountryFile = "/usr/share/hamradio-files/cty.dat";
constexpr const char* kRealCallFile = "/usr/share/hamradio-files/MASTER.SCP";

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CountryDatabase LoadFixture() {
  std::optional<std::string> text = ReadFile(std::string(MIRVA_TEST_DATA) + "/CTY.DAT");
  EXPECT_TRUE(text) << "fixture missing";
  CountryDatabase db;
  db.Load(text.value_or(""));
  return db;
}

auto Fields(const TCountry& c) {
  return std::tie(c.Name, c.ITUZone, c.CQZone, c.Continent, c.Latitude, c.Longitude, c.UTCOffset,
                  c.Prefix, c.WAE);
}

std::string Describe(const TCountry& c) {
  return c.Name + " | " + c.Prefix + (c.WAE ? " WAE" : "") + " | CQ " + c.CQZone + " ITU " +
         c.ITUZone + " | " + c.Continent + " " + c.Latitude + " " + c.Longitude + " " + c.UTCOffset;
}

bool LoadRealFile(CountryDatabase& db) {
  std::optional<std::string> text = ReadFile(kRealCountryFile);
  db.Load(text.value_or(""));
  return text.has_value();
}

// The lookup as a plain linear scan of PrefixList for every length, longest first: the
// behaviour the indexed lookup has to reproduce.
bool ScanForCountry(const CountryDatabase& db, std::string_view call, TCountry& rec,
                    bool allow_wae) {
  for (std::size_t length = call.size(); length >= 1; --length) {
    std::string_view start = call.substr(0, length);
    for (const TPrefixEntry& entry : db.PrefixList()) {
      if (entry.Prefix != start)
        continue;
      const TCountry* country = nullptr;
      for (const TCountry& candidate : db.CountryList()) {
        if (candidate.Prefix == entry.Primary) {
          country = &candidate;
          break;
        }
      }
      if (country == nullptr || (!allow_wae && country->WAE))
        continue;
      rec = *country;
      rec.CQZone = entry.CQZone.substr(0, 4);
      rec.ITUZone = entry.ITUZone.substr(0, 4);
      return true;
    }
  }
  return false;
}

// Checks FindCountry against the scan for every call, both with and without WAE countries.
void ExpectSameAsScan(const CountryDatabase& db, const std::vector<std::string>& calls) {
  TCountry untouched;
  untouched.Name = "untouched";
  for (const std::string& call : calls) {
    for (bool allow_wae : {true, false}) {
      TCountry found = untouched;
      TCountry scanned = untouched;
      bool hit = db.FindCountry(call, found, allow_wae);
      ASSERT_EQ(hit, ScanForCountry(db, call, scanned, allow_wae)) << call << " " << allow_wae;
      ASSERT_TRUE(Fields(found) == Fields(scanned))
          << call << " " << allow_wae << "\n found   " << Describe(found) << "\n scanned "
          << Describe(scanned);
    }
  }
}

std::vector<TPrefixEntry> EntriesOf(const CountryDatabase& db, std::string_view prefix) {
  std::vector<TPrefixEntry> entries;
  for (const TPrefixEntry& entry : db.PrefixList())
    if (entry.Prefix == prefix)
      entries.push_back(entry);
  return entries;
}

TEST(CountryDatabaseLoad, ReadsHeaderColumns) {
  CountryDatabase db = LoadFixture();
  ASSERT_EQ(db.CountryList().size(), 14u);
  struct Case {
    std::size_t index;
    TCountry expected;
  } cases[] = {
      {0, {"Austria", "28", "15", "EU", "47.33", "-13.33", "-1.0", "OE", false}},
      {2, {"African Italy", "37", "33", "AF", "35.67", "-12.67", "-1.0", "IG9", true}},
      {8, {"Vienna Intl Ctr", "28", "15", "EU", "48.20", "-16.30", "-1.0", "4U1V", true}},
      {12, {"United States of America", "08", "05", "NA", "37.60", "91.87", "5.0", "K", false}},
      {13, {"Philippines", "50", "27", "OC", "13.00", "-123.4", "-8.0", "DU", false}},
  };
  for (const Case& c : cases) {
    const TCountry& got = db.CountryList()[c.index];
    EXPECT_TRUE(Fields(got) == Fields(c.expected)) << Describe(got);
  }
}

TEST(CountryDatabaseLoad, SplitsWordsAndTakesOutZoneOverrides) {
  CountryDatabase db = LoadFixture();
  struct Case {
    std::string_view prefix;
    std::vector<std::tuple<std::string, std::string, std::string>> primary_cq_itu;
  } cases[] = {
      {"UA9", {{"UA9", "17", "30"}}},
      {"R0", {{"UA9", "19", "33"}}},
      {"VE3", {{"VE", "04", "04"}}},
      {"VY1", {{"VE", "01", "02"}}},
      {"KL7", {{"K", "01", "01"}}},
      // Overrides are taken out before the word is cut to 10 characters, so none is lost.
      {"=OE2025CON", {{"OE", "09", "28"}}},
      {"UA0", {{"UA9", "19", "33"}}},
      {"UA0[33", {}},
      {"KH6", {{"K", "31", "61"}}},
      {"=DL0XMAS", {{"DL", "14", "28"}}},
      {" Y2", {{"DL", "14", "28"}}},
      {"Y2", {}},
      {"IG9", {{"IG9", "33", "37"}, {"I", "33", "28"}}},
      {"IT9", {{"I", "15", "28"}, {"IT9", "15", "28"}}},
  };
  for (const Case& c : cases) {
    std::vector<std::tuple<std::string, std::string, std::string>> got;
    for (const TPrefixEntry& entry : EntriesOf(db, c.prefix))
      got.emplace_back(entry.Primary, entry.CQZone, entry.ITUZone);
    EXPECT_EQ(got, c.primary_cq_itu) << c.prefix;
  }
  EXPECT_EQ(db.PrefixList().size(), 80u);
}

TEST(CountryDatabaseLoad, OddTextNeverFails) {
  const std::string header =
      "Nowhere:                  01:  02:  EU:    1.00:     2.00:     0.0:  XX:";
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
      {"    AB,CD;\n\n" + header + "\n\n    XX;\n", {"Nowhere"}, {"XX"}, "01", "02"},
      {header + "\n    A,,B;;C,\n", {"Nowhere"}, {"A", "B", "C"}, "01", "02"},
      // An opening mark without its closing mark after it is no override.
      {header + "\n    AB(5,CD[7;\n", {"Nowhere"}, {"AB(5", "CD[7"}, "01", "02"},
      {header + "\n    A)B(5)\n", {"Nowhere"}, {"A)B"}, "05", "02"},
      {header + "\n    A[3](40)\n", {"Nowhere"}, {"A"}, "40", "03"},
      {header + "\n    A()\n", {"Nowhere"}, {"A"}, "00", "02"},
      {header + "\n    DL1234(5)[99]\n", {"Nowhere"}, {"DL1234"}, "05", "99"},
      {header + "\n    ABCDEFGHIJKL(5)\n", {"Nowhere"}, {"ABCDEFGHIJ"}, "05", "02"},
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

TEST(CountryDatabaseLoad, LoadReplacesAndClearEmpties) {
  CountryDatabase db = LoadFixture();
  db.Load("Only:                     01:  02:  EU:    1.00:     2.00:     0.0:  OO:\n    OO;\n");
  TCountry rec;
  EXPECT_EQ(db.CountryList().size(), 1u);
  EXPECT_FALSE(db.FindCountry("DL1ABC", rec, true));
  EXPECT_TRUE(db.FindCountry("OO1A", rec, true));
  db.Clear();
  EXPECT_TRUE(db.CountryList().empty());
  EXPECT_TRUE(db.PrefixList().empty());
  EXPECT_FALSE(db.FindCountry("OO1A", rec, true));
}

TEST(CountryDatabaseFind, PicksLongestPrefixInFileOrder) {
  CountryDatabase db = LoadFixture();
  struct Case {
    std::string_view call;
    bool allow_wae;
    std::string_view name;  // empty: no match
    std::string_view cq = "";
    std::string_view itu = "";
  } cases[] = {
      {"UA9ABC", true, "Asiatic Russia", "17", "30"},
      {"UA8ABC", true, "Asiatic Russia", "17", "30"},
      {"R0ABC", true, "Asiatic Russia", "19", "33"},
      {"UA0ABC", true, "Asiatic Russia", "19", "33"},
      {"UA1ABC", true, "European Russia", "16", "29"},
      {"UA", false, "European Russia", "16", "29"},
      {"VE3XYZ", true, "Canada", "04", "04"},
      {"VE7XYZ", true, "Canada", "05", "09"},
      {"KL7ABC", false, "United States of America", "01", "01"},
      {"KH6ABC", false, "United States of America", "31", "61"},
      // "/" is an ordinary character: the call is matched from its start.
      {"OE/DL1ABC", true, "Austria", "15", "28"},
      {"DL1ABC/OE", true, "Fed. Rep. of Germany", "14", "28"},
      {"DL1ABC/P", true, "Fed. Rep. of Germany", "14", "28"},
      // An "=" word is kept as text and so never matches a callsign.
      {"IB9ABC", true, "Italy", "15", "28"},
      {"Y2ABC", true, ""},
      {"Y3ABC", true, "Fed. Rep. of Germany", "14", "28"},
      // Among equal prefixes the first in file order wins, skipping WAE-only ones on request.
      {"IT9ABC", true, "Italy", "15", "28"},
      {"IT9ABC", false, "Italy", "15", "28"},
      {"IM0ABC", true, "Italy", "15", "28"},
      {"IS0ABC", true, "Sardinia", "15", "28"},
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

TEST(CountryDatabaseFind, CutsZonesToFourCharacters) {
  CountryDatabase db;
  db.Load(
      "Wide:                     01:  02:  EU:    1.00:     2.00:     0.0:  WW:\n"
      "    A(12345),B[123456];\n");
  ASSERT_EQ(db.PrefixList().size(), 2u);
  EXPECT_EQ(db.PrefixList()[0].CQZone, "12345");
  TCountry rec;
  ASSERT_TRUE(db.FindCountry("A1A", rec, true));
  EXPECT_EQ(rec.CQZone, "1234");
  ASSERT_TRUE(db.FindCountry("B1A", rec, true));
  EXPECT_EQ(rec.ITUZone, "1234");
}

TEST(CountryDatabaseFind, SharedPrimaryPrefixResolvesToFirstCountry) {
  CountryDatabase db;
  db.Load(
      "First:                    01:  02:  EU:    1.00:     2.00:     0.0:  XX:\n"
      "    XA;\n"
      "Second:                   03:  04:  AS:    1.00:     2.00:     0.0:  XX:\n"
      "    XB;\n");
  TCountry rec;
  ASSERT_TRUE(db.FindCountry("XB1A", rec, true));
  EXPECT_EQ(rec.Name, "First");
  EXPECT_EQ(rec.Continent, "EU");
  EXPECT_EQ(rec.CQZone, "03");
}

TEST(CountryDatabaseFind, RenamedCountryKeepsItsNameUntilReload) {
  std::optional<std::string> text = ReadFile(std::string(MIRVA_TEST_DATA) + "/CTY.DAT");
  ASSERT_TRUE(text);
  CountryDatabase db;
  db.Load(*text);
  db.SetCountryName(1, "Germany");
  TCountry rec;
  ASSERT_TRUE(db.FindCountry("DL1ABC", rec, true));
  EXPECT_EQ(rec.Name, "Germany");
  EXPECT_THROW(db.SetCountryName(db.CountryList().size(), "x"), std::out_of_range);
  db.Load(*text);
  ASSERT_TRUE(db.FindCountry("DL1ABC", rec, true));
  EXPECT_EQ(rec.Name, "Fed. Rep. of Germany");
}

// Calls built from every prefix word: the word itself, shorter and longer, and portable forms.
std::vector<std::string> CallsFromWords(const CountryDatabase& db, std::size_t stride) {
  std::vector<std::string> calls;
  for (std::size_t i = 0; i < db.PrefixList().size(); i += stride) {
    const std::string& prefix = db.PrefixList()[i].Prefix;
    calls.push_back(prefix);
    calls.push_back(prefix.substr(0, prefix.size() / 2));
    calls.push_back(prefix + "1ABC");
    calls.push_back(prefix + "/P");
    calls.push_back("OE/" + prefix);
  }
  return calls;
}

TEST(CountryDatabaseFind, AgreesWithScanOnFixture) {
  CountryDatabase db = LoadFixture();
  std::vector<std::string> calls = CallsFromWords(db, 1);
  calls.insert(calls.end(), {"", "=", " ", " Y2", "Y", "=OE2025CONTEST", "4U1V", "IG"});
  ExpectSameAsScan(db, calls);
}

TEST(RealCountryFile, LoadsAndFindsWellKnownCalls) {
  CountryDatabase db;
  if (!LoadRealFile(db))
    GTEST_SKIP() << kRealCountryFile << " not installed";
  EXPECT_GT(db.CountryList().size(), 300u);
  EXPECT_LT(db.CountryList().size(), 450u);
  EXPECT_GT(db.PrefixList().size(), 20000u);
  EXPECT_LT(db.PrefixList().size(), 40000u);
  struct Case {
    std::string_view call;
    bool allow_wae;
    std::string_view prefix;
    std::string_view cq;
  } cases[] = {
      {"DL1ABC", true, "DL", "14"},   {"K1ABC", true, "K", "05"},
      {"UA9ABC", true, "UA9", "17"},  {"R9ABC", false, "UA9", "17"},
      {"R0ABC", true, "UA9", "18"},   {"UA3ABC", true, "UA", "16"},
      {"IG9ABC", true, "IG9", "33"},  {"TA1ABC", true, "TA1", "20"},
      {"TA1ABC", false, "TA", "20"},  {"OE/DL1ABC", true, "OE", "15"},
      {"DL1ABC/P", true, "DL", "14"},
  };
  for (const Case& c : cases) {
    TCountry rec;
    ASSERT_TRUE(db.FindCountry(c.call, rec, c.allow_wae)) << c.call;
    EXPECT_EQ(rec.Prefix, c.prefix) << c.call;
    EXPECT_EQ(rec.CQZone, c.cq) << c.call;
  }
  // "UA0(19)[33]" is 11 characters long and still gives Asiatic Russia with its zones.
  TCountry russia;
  ASSERT_TRUE(db.FindCountry("UA0DAA", russia, true));
  EXPECT_EQ(russia.Prefix, "UA9");
  EXPECT_EQ(russia.CQZone, "19");
  EXPECT_EQ(russia.ITUZone, "33");
  TCountry germany;
  db.FindCountry("DL1ABC", germany, true);
  EXPECT_EQ(germany.Name, "Fed. Rep. of Germany");
}

TEST(RealCountryFile, AgreesWithScan) {
  CountryDatabase db;
  if (!LoadRealFile(db))
    GTEST_SKIP() << kRealCountryFile << " not installed";
  // A sample keeps the scan, a pass over all words per call and length, affordable.
  std::vector<std::string> calls = CallsFromWords(db, 500);
  if (std::optional<std::string> scp = ReadFile(kRealCallFile)) {
    std::vector<std::string_view> lines = SplitLines(*scp);
    for (std::size_t i = 0; i < lines.size(); i += 1200)
      calls.emplace_back(Trim(lines[i]));
  }
  ExpectSameAsScan(db, calls);
}

// A call equal to a word is found through the first entry of that text in file order; this
// covers every word of the file where the full scan above takes a sample.
TEST(RealCountryFile, EveryWordFindsItsFirstEntry) {
  CountryDatabase db;
  if (!LoadRealFile(db))
    GTEST_SKIP() << kRealCountryFile << " not installed";
  std::unordered_set<std::string> seen;
  for (const TPrefixEntry& entry : db.PrefixList()) {
    if (entry.Prefix.empty() || !seen.insert(entry.Prefix).second)
      continue;
    TCountry rec;
    ASSERT_TRUE(db.FindCountry(entry.Prefix, rec, true)) << entry.Prefix;
    EXPECT_EQ(rec.Prefix, entry.Primary) << entry.Prefix;
    EXPECT_EQ(rec.CQZone, entry.CQZone.substr(0, 4)) << entry.Prefix;
    EXPECT_EQ(rec.ITUZone, entry.ITUZone.substr(0, 4)) << entry.Prefix;
  }
  EXPECT_GT(seen.size(), 20000u);
}

}  // namespace
}  // namespace mirva
