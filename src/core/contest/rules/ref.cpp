// REF contest for stations outside France, CW and SSB weekends: French departments and
// overseas prefixes.
#include "contest/key_tables.h"
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "contest/rules/points.h"
#include "session/session.h"

namespace mirva {

namespace {

bool Define(Session& s, const ContestRules& self) {
  bool cw = self.variant == "CW";
  NewContest(s, self.name, cw ? "REF-CW" : "REF-SSB", {cw ? "CW" : "SSB"}, HF5(), true, 1);
  s.contest.MultCaptions = "French departaments";
  TMultArray& list = s.contest.MultList1;
  list.clear();
  AddNumbers(list, 0, 96);
  for (std::string_view key : {"99", "2A", "2B"})
    AddMult(list, key);
  AddKeys(list, "", kFrenchOverseas);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData& qso, const Session& s) {
  return {CountryOf(s, qso.CountryPrefix).Continent == s.StationCfg.Cont ? 1 : 3};
}

// Departments reach the log padded to three digits; the list holds them with two.
MultKeys Mults(const MultQso& m, const Session&) {
  return {{TwoDigitNumber(m.qso.NumberRcvd)}};
}

constexpr std::array<MultScope, 3> kScope = EveryList({.slots = 1});

constexpr ContestRules kContests[] = {
    {"REF contest (CW) Non France station", "CW", Define, DupeRule::kBand, Points, NormalizePad3,
     PredictPrevious, SentSerial, Mults, kScope},
    {"REF contest (SSB) Non France station", "SSB", Define, DupeRule::kBand, Points, NormalizePad3,
     PredictPrevious, SentSerial, Mults, kScope},
};

}  // namespace

std::span<const ContestRules> RefContests() {
  return kContests;
}

}  // namespace mirva
