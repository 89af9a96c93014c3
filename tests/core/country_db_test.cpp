#include "reference/country_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "native_file_system.h"
#include "text/strings.h"

namespace mirva {
namespace {

constexpr const char* kRealCountryFile = "/usr/share/hamradio-files/cty.dat";
constexpr const char* kRealCallFile = "/usr/share/hamradio-files/MASTER.SCP";
const std::string kFixtureFile = std::string(MIRVA_TEST_DATA) + "/CTY.DAT";
const std::string kHeader =
    "Nowhere:                  01:  02:  EU:    1.00:     2.00:     0.0:  XX:\n";

std::optional<std::string> ReadFile(const std::string& path) {
  return NativeFileSystem().ReadFile(path);
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

// A prefix word with its country's primary prefix and its CQ and ITU zones.
std::string Word(const TPrefixEntry& entry) {
  return entry.Prefix + " " + entry.Primary + " " + entry.CQZone + "/" + entry.ITUZone;
}

TEST(CountryDatabaseLoad, ReadsHeadersAndWords) {
  CountryDatabase db = Loaded(kFixtureFile);
  ASSERT_EQ(db.CountryList().size(), 14u);
  ASSERT_EQ(db.PrefixList().size(), 80u);
  struct Case {
    std::size_t index;
    TCountry expected;
  } cases[] = {
      {2, {"African Italy", "37", "33", "AF", "35.67", "-12.67", "-1.0", "IG9", true}},
      {13, {"Philippines", "50", "27", "OC", "13.00", "-123.4", "-8.0", "DU", false}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Fields(db.CountryList()[c.index]), Fields(c.expected));
  // Overrides are taken out before the word is cut to 10 characters, so none is lost; a word
  // is not trimmed.
  EXPECT_EQ(Word(db.PrefixList()[1]), "=OE2025CON OE 09/28");
  EXPECT_EQ(Word(db.PrefixList()[18]), " Y2 DL 14/28");
}

// The country names, then the prefix words.
std::string Summary(const CountryDatabase& db) {
  std::string out;
  for (const TCountry& country : db.CountryList())
    out += country.Name + ":";
  for (const TPrefixEntry& entry : db.PrefixList())
    out += " " + Word(entry);
  return out;
}

TEST(CountryDatabaseLoad, OddTextNeverFails) {
  struct Case {
    std::string text;
    std::string summary;
  } cases[] = {
      {"\r\n\n   \n", ""},
      // Prefix lines before the first header and empty lines are skipped.
      {"    AB,CD;\n\n" + kHeader + "\n    XX;\n", "Nowhere: XX XX 01/02"},
      {kHeader + "    A,,B;;C,\n", "Nowhere: A XX 01/02 B XX 01/02 C XX 01/02"},
      // An opening mark without its closing mark after it is no override.
      {kHeader + "    AB(5,CD[7;\n", "Nowhere: AB(5 XX 01/02 CD[7 XX 01/02"},
      {kHeader + "    A)B(5)\n", "Nowhere: A)B XX 05/02"},
      {kHeader + "    A(123456789012)\n", "Nowhere: A XX 1234567890/02"},
      {"Short:\n    S;\n", "Short: S  /"},
      {"Cut:" + std::string(22, ' ') + "1\n    S;\n", "Cut: S  1/"},
      // Control characters count as blanks when the name is trimmed.
      {std::string("\x01\xff\0junk", 7) + std::string(300, '\xb7') + "\n \0\n",
       std::string("\xff\0junk", 6) + std::string(17, '\xb7') + ":"},
  };
  for (const Case& c : cases) {
    CountryDatabase db;
    db.Load(c.text);
    EXPECT_EQ(Summary(db), c.summary) << c.text;
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
      {"UA0ABC", true, "Asiatic Russia", "19", "33"},
      // "/" is an ordinary character: the call is matched from its start.
      {"OE/DL1ABC", true, "Austria", "15", "28"},
      {"DL1ABC/OE", true, "Fed. Rep. of Germany", "14", "28"},
      // An "=" word, or one with a blank, is kept as text and so never matches a callsign.
      {"IB9ABC", true, "Italy", "15", "28"},
      {"Y2ABC", true, ""},
      // Among equal prefixes the first in file order wins, skipping WAE-only ones on request.
      {"IT9ABC", true, "Italy", "15", "28"},
      {"IG9ABC", true, "African Italy", "33", "37"},
      {"IG9ABC", false, "Italy", "33", "28"},
      {"IH9ABC", false, "Italy", "15", "28"},
      {"4U1VIC", false, ""},
      {"", true, ""},
  };
  for (const Case& c : cases) {
    TCountry rec;
    EXPECT_EQ(db.FindCountry(c.call, rec, c.allow_wae), !c.name.empty()) << c.call;
    EXPECT_EQ(std::tie(rec.Name, rec.CQZone, rec.ITUZone), std::tie(c.name, c.cq, c.itu))
        << c.call << " " << c.allow_wae;
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

TEST(CheckCountryText, TellsAWholeFileFromACutOne) {
  struct Case {
    std::string text;
    CountryText expected;
  } cases[] = {
      {kHeader + "    XX,XY;\r\n", CountryText::kUsable},
      {kHeader + "    XX,\n    XY;   \x1a", CountryText::kUsable},
      {kHeader + "    XX;\r\n\r\n\x1a", CountryText::kUsable},
      {kHeader + "    XX,\n    X", CountryText::kCutShort},
      {kHeader + "    XX;\n" + kHeader, CountryText::kCutShort},
      // A ";" that closes no prefix line makes no file whole.
      {kHeader + "    XX\n;", CountryText::kCutShort},
      {kHeader + "    XX\r;", CountryText::kCutShort},
      {kHeader, CountryText::kNoPrefixes},
      {"", CountryText::kNoPrefixes},
      {"    XX;\n", CountryText::kNoPrefixes},  // words before any country are dropped
      {std::string("\x1f\x8b\x08\0\0\x03\xcb\x48\n\xcd;", 11), CountryText::kNoPrefixes},
  };
  for (const Case& c : cases) {
    CountryDatabase db;
    db.Load(c.text);
    EXPECT_EQ(CheckCountryText(c.text, db), c.expected) << c.text;
  }
  for (const std::string& path : {kFixtureFile, std::string(kRealCountryFile)}) {
    if (std::optional<std::string> text = ReadFile(path)) {
      EXPECT_EQ(CheckCountryText(*text, Loaded(path)), CountryText::kUsable) << path;
    }
  }
}

// The index against the scan on the fixture, for every word.
TEST(CountryDatabaseFind, AgreesWithScan) {
  CountryDatabase fixture = Loaded(kFixtureFile);
  std::vector<std::string> calls = CallsFromWords(fixture, 1);
  calls.insert(calls.end(), {"", "=", " ", " Y2", "Y", "=OE2025CONTEST", "4U1V", "IG"});
  ExpectSameAsScan(fixture, calls);
}

TEST(RealCountryFile, FindsWellKnownCallsAndAgreesWithScan) {
  std::optional<std::string> text = ReadFile(kRealCountryFile);
  if (!text)
    GTEST_SKIP() << kRealCountryFile << " not installed";
  CountryDatabase db;
  db.Load(*text);
  // UA0DAA takes its zones from "UA0(19)[33]", a word of 11 characters.
  struct Case {
    std::string_view call;
    bool allow_wae;
    std::string_view prefix;
    std::string_view cq;
    std::string_view itu;
  } cases[] = {
      {"DL1ABC", true, "DL", "14", "28"},    {"R9ABC", false, "UA9", "17", "30"},
      {"R0ABC", true, "UA9", "18", "32"},    {"IG9ABC", true, "IG9", "33", "37"},
      {"TA1ABC", true, "TA1", "20", "39"},   {"TA1ABC", false, "TA", "20", "39"},
      {"OE/DL1ABC", true, "OE", "15", "28"}, {"UA0DAA", true, "UA9", "19", "33"},
  };
  for (const Case& c : cases) {
    TCountry rec;
    ASSERT_TRUE(db.FindCountry(c.call, rec, c.allow_wae)) << c.call;
    EXPECT_EQ(std::tie(rec.Prefix, rec.CQZone, rec.ITUZone), std::tie(c.prefix, c.cq, c.itu))
        << c.call;
  }

  // The index against the scan for a sample of words and of real calls, which keeps the scan
  // affordable.
  std::vector<std::string> calls = CallsFromWords(db, 500);
  if (std::optional<std::string> scp = ReadFile(kRealCallFile)) {
    std::vector<std::string_view> lines = SplitLines(*scp);
    for (std::size_t i = 0; i < lines.size(); i += 1200)
      calls.emplace_back(Trim(lines[i]));
  }
  ExpectSameAsScan(db, calls);
}

}  // namespace
}  // namespace mirva
