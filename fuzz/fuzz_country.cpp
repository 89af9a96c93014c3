// Loads arbitrary bytes as a country file, judges it, looks up a few calls and checks the
// field limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "reference/country_db.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

void CheckLimits(const mirva::CountryDatabase& db) {
  for (const mirva::TCountry& country : db.CountryList()) {
    Require(country.CQZone.size() <= 4 && country.ITUZone.size() <= 4);
    Require(country.Continent.size() <= 2 && country.UTCOffset.size() <= 5);
    Require(country.Latitude.size() <= 6 && country.Longitude.size() <= 6);
    Require(country.Prefix.size() <= 10);
  }
  for (const mirva::TPrefixEntry& entry : db.PrefixList()) {
    Require(entry.Prefix.size() <= 10 && entry.Primary.size() <= 10);
    Require(entry.CQZone.size() <= 10 && entry.ITUZone.size() <= 10);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  mirva::CountryDatabase db;
  db.Load(text);
  CheckLimits(db);
  // A text judged whole has prefix words to count by.
  Require(mirva::CheckCountryText(text, db) != mirva::CountryText::kUsable ||
          !db.PrefixList().empty());
  for (std::string_view call : {"DL1ABC", "UA9XX/P", "OE/K1AB", "", "=", "(", "["}) {
    for (bool allow_wae : {true, false}) {
      mirva::TCountry rec;
      bool found = db.FindCountry(call, rec, allow_wae);
      Require(found || rec.Name.empty());
      Require(!found || rec.CQZone.size() <= 4);
    }
  }
  mirva::TCountry rec;
  db.FindCountry(text.substr(0, 12), rec, false);
  if (!text.empty())
    db.FindCountry(text.substr(text.size() / 2, 8), rec, true);
  return 0;
}
