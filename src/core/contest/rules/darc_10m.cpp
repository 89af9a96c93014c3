// DARC 10m-Contest: one point a QSO, countries as multipliers; a station may be worked again
// at any time.
#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "session/session.h"

namespace mirva {

namespace {

// Sets no caption: the multipliers window keeps the one of the contest set up before.
bool Define(Session& s, const ContestRules& self) {
  NewContest(s, self.name, "DARC-10", {"CW", "SSB"}, {"10"}, true, 1);
  s.contest.MultList1.clear();
  AddCountries(s.contest.MultList1, s.countries);
  return FinishDefinition(s);
}

PointsTriple Points(const TQSOData&, const Session&) {
  return {1};
}

constexpr ContestRules kContests[] = {
    {"DARC 10m-Contest",
     "",
     Define,
     DupeRule::kNever,
     Points,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     {}},
};

}  // namespace

std::span<const ContestRules> Darc10mContests() {
  return kContests;
}

}  // namespace mirva
