// Holyland DX Contest: Israeli stations count countries, the others the Israeli areas they
// work.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

// Only Israeli stations receive serials; the others receive Israeli area codes.
std::string Normalize(const TQSOData& qso, const Session& s) {
  return s.StationCfg.Country == "4X" ? Pad3(qso.NumberRcvd) : qso.NumberRcvd;
}

std::string Predict(std::string_view call, bool full, const Session& s) {
  return PreviousWhen(full && CountryOf(s, call).Prefix == "4X", s);
}

std::string Sent(const Session& s) {
  return StateOrSerial(s, s.StationCfg.Country == "4X");
}

bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "Holyland DX", {"CW", "SSB"}, HF6(), true, 1);
  bool israeli = s.StationCfg.Country == "4X";
  s.contest.MultCaptions = israeli ? "DXCC" : "Israel areas";
  s.contest.MultList1.clear();
  s.contest.MultList2.clear();
  s.contest.MultList3.clear();
  // Outside Israel the list starts empty and collects the areas as they are worked.
  if (israeli)
    AddCountries(s.contest.MultList1, s.countries);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  if (s.StationCfg.Country == "4X" && CountryOf(s, qso.CountryPrefix).Prefix == "4X")
    return {0};
  return {IsLowBand(qso.Band) ? 2 : 1};
}

// Stations abroad count the Israeli areas, Israeli stations the countries; both lists grow as
// new keys are worked.
MultKeys Mults(const MultQso& m, const Session& s) {
  bool area = s.StationCfg.Country != "4X" && m.worked.Prefix == "4X";
  return {{area ? m.qso.NumberRcvd : m.worked.Prefix, true}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 3});

constexpr ContestRules kContests[] = {
    {"HOLYLAND DX Contest", "", Define, DupeRule::kBandMode, Points, Normalize, Predict, Sent,
     Mults, kScope},
};

}  // namespace

std::span<const ContestRules> HolylandContests() {
  return kContests;
}

}  // namespace mirva
