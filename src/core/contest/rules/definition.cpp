#include "contest/rules/definition.h"

#include "contest/key_tables.h"
#include "reference/domestic.h"
#include "text/strings.h"

namespace mirva {

std::vector<std::string> HF6() {
  return {"160", "80", "40", "20", "15", "10"};
}

std::vector<std::string> HF5() {
  return {"80", "40", "20", "15", "10"};
}

ContestSetup NewContest(const RuleContext& ctx, std::string_view name,
                        std::string_view cabrillo_name, std::vector<std::string> modes,
                        std::vector<std::string> bands, bool use_wae, int mult_count) {
  ContestSetup setup;
  setup.StationCfg = ctx.StationCfg;
  TContest& contest = setup.Contest;
  contest.Name = CutTo(name, 50);
  contest.CabrilloName = CutTo(cabrillo_name, 15);
  contest.CabrilloFormat = 1;
  contest.Modes = std::move(modes);
  contest.Bands = std::move(bands);
  contest.UseWAE = use_wae;
  contest.MultCount = mult_count;
  return setup;
}

void AddCountries(TMultArray& list, const CountryDatabase& countries,
                  const std::function<bool(const TCountry&)>& keep) {
  for (const TCountry& country : countries.CountryList()) {
    if (!keep || keep(country))
      AddMult(list, country.Prefix);
  }
}

void AddNumbers(TMultArray& list, int first, int last) {
  for (int n = first; n <= last; ++n)
    AddMult(list, PadLeft(std::to_string(n), 2, '0'));
}

void AddKeys(TMultArray& list, std::string_view prefix, std::span<const std::string_view> codes) {
  for (std::string_view code : codes)
    AddMult(list, std::string(prefix) + std::string(code));
}

void AddCallAreas(TMultArray& list, std::string_view prefix, char first, char last) {
  for (char digit = first; digit <= last; ++digit)
    AddMult(list, std::string(prefix) + digit);
}

void ListCountriesAndCqZones(ContestSetup& setup, const CountryDatabase& countries) {
  setup.MultCaptions = "DXCC\r\nCQ zones";
  AddCountries(setup.MultList1, countries);
  AddNumbers(setup.MultList2, 1, 40);
}

void AddStatesAndProvinces(TMultArray& list, std::span<const std::string_view> provinces) {
  AddKeys(list, std::string("K") + kKeyDot, kUsStates);
  AddKeys(list, std::string("VE") + kKeyDot, provinces);
}

namespace {

void AddDomesticCodes(TMultArray& list, const std::vector<TDomestic>& domestic) {
  for (const TDomestic& entry : domestic)
    AddMult(list, entry.Code);
}

}  // namespace

void ListDomesticCodes(ContestSetup& setup, const std::vector<TDomestic>& domestic) {
  AddDomesticCodes(setup.MultList1, domestic);
}

void ListCountriesAndDomesticCodes(ContestSetup& setup, const RuleContext& ctx,
                                   const std::function<bool(const TCountry&)>& keep) {
  AddCountries(setup.MultList1, ctx.countries, keep);
  AddDomesticCodes(setup.MultList2, ctx.DomesticList);
}

}  // namespace mirva
