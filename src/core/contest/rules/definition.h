#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest.h"
#include "contest/contest_setup.h"
#include "contest/mult_list.h"
#include "contest/rules/rules.h"
#include "reference/country_db.h"

namespace mirva {

/// The middle dot that joins a prefix and a state or province code in a multiplier key.
inline constexpr char kKeyDot[] = "\xB7";

/// "160", "80", "40", "20", "15", "10".
std::vector<std::string> HF6();
/// "80", "40", "20", "15", "10".
std::vector<std::string> HF5();

/// A set-up of a new contest with these fields and CabrilloFormat 1, empty lists and the
/// station in effect; the name is cut to 50 characters and the Cabrillo name to 15.
ContestSetup NewContest(const RuleContext& ctx, std::string_view name,
                        std::string_view cabrillo_name, std::vector<std::string> modes,
                        std::vector<std::string> bands, bool use_wae, int mult_count);

/// Appends the prefix of every country of the list (of those `keep` accepts), in list order.
void AddCountries(TMultArray& list, const CountryDatabase& countries,
                  const std::function<bool(const TCountry&)>& keep = nullptr);
/// Appends the numbers first..last, left-padded with "0" to two digits.
void AddNumbers(TMultArray& list, int first, int last);
/// Appends `prefix` followed by each code.
void AddKeys(TMultArray& list, std::string_view prefix, std::span<const std::string_view> codes);
/// Appends the call areas of a prefix: the prefix followed by each digit first..last.
void AddCallAreas(TMultArray& list, std::string_view prefix, char first = '0', char last = '9');
/// Captions "DXCC" and "CQ zones": every country in MultList1, "01" to "40" in MultList2.
void ListCountriesAndCqZones(ContestSetup& setup, const CountryDatabase& countries);
/// Appends "K·" + each US state, then "VE·" + each of the given Canadian provinces.
void AddStatesAndProvinces(TMultArray& list, std::span<const std::string_view> provinces);
/// Whether a country is neither the USA ("K") nor Canada ("VE"), which count by states.
inline bool IsNotKOrVe(const TCountry& country) {
  return country.Prefix != "K" && country.Prefix != "VE";
}
/// The code of every entry of DomesticList in MultList1.
void ListDomesticCodes(ContestSetup& setup, const std::vector<TDomestic>& domestic);
/// The countries `keep` accepts in MultList1, the code of every entry of DomesticList in
/// MultList2.
void ListCountriesAndDomesticCodes(ContestSetup& setup, const RuleContext& ctx,
                                   const std::function<bool(const TCountry&)>& keep = nullptr);

}  // namespace mirva
