#include "reports/cabrillo_v3.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "contest/rules/rules.h"
#include "log/date_value.h"
#include "reports/contest_ids.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using Lines = std::vector<std::string>;

Lines Starting(const Lines& lines, std::string_view prefix) {
  Lines found;
  for (const std::string& line : lines) {
    if (line.starts_with(prefix))
      found.push_back(line);
  }
  return found;
}

// A misspelt display name would quietly fall back to the old name; a name the sponsors' robots
// cannot read is refused by them.
TEST(ContestIds, EveryBuiltInContestHasWellFormedStandardNames) {
  const std::string_view without[] = {"GACW CW DX Contest", "\xD7\xE5\xEC\xEF\xE8\xEE\xED\xE0\xF2"};
  for (const ContestRules* rules : AllContestRules()) {
    StandardContestIds ids = StandardIdsOf(rules->name);
    bool has_none =
        std::any_of(std::begin(without), std::end(without),
                    [&](std::string_view start) { return rules->name.starts_with(start); });
    EXPECT_EQ(ids.cabrillo3.empty(), has_none) << rules->name;
    EXPECT_EQ(ids.adif.empty(), has_none) << rules->name;
    EXPECT_LE(ids.cabrillo3.size(), 32u);
    for (char c : ids.cabrillo3)
      EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-') << ids.cabrillo3;
  }
}

class Cabrillo3Test : public SessionTest {
 protected:
  Lines Build(const CabrilloHeader& header) { return BuildCabrillo3Log(session, header, "9.8"); }
};

TEST_F(Cabrillo3Test, ABlankHeaderGivesTheRequiredTagsOnly) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  CabrilloHeader header;
  header.Address = {"", " "};
  header.Soapbox = {"  "};
  header.Club = " ";
  EXPECT_EQ(Build(header),
            (Lines{"START-OF-LOG: 3.0", "CONTEST: CQ-WW-CW", "CALLSIGN: ", "CLAIMED-SCORE: 0",
                   "CREATED-BY: Mirva contest module 9.8", "END-OF-LOG:"}));
}

TEST_F(Cabrillo3Test, CategoryTagsComeFromTheOperatorCategory) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  struct Case {
    const char* operators;
    const char* power;
    Lines expected;
  } cases[] = {
      {"SINGLE-OP",
       "",
       {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-ASSISTED: NON-ASSISTED",
        "CATEGORY-TRANSMITTER: ONE"}},
      // The power the operator chose wins over what the category implies.
      {"SINGLE-OP-QRP-PORTABLE",
       " LOW ",
       {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-ASSISTED: NON-ASSISTED", "CATEGORY-POWER: LOW",
        "CATEGORY-STATION: PORTABLE", "CATEGORY-TRANSMITTER: ONE"}},
      {"MULTI-TWO", "", {"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-TRANSMITTER: TWO"}},
      {"MULTI-MULTI", "", {"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-TRANSMITTER: UNLIMITED"}},
      {"SCHOOL-CLUB ", "", {"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-STATION: SCHOOL"}},
      {"ROVER", "", {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-STATION: ROVER"}},
      {"CHECKLOG.", "", {"CATEGORY-OPERATOR: CHECKLOG"}},
      {" SOAB ", "", {"CATEGORY-OPERATOR: SOAB"}},
      {"", "", {}},
  };
  for (const Case& c : cases) {
    CabrilloHeader header;
    header.CategoryOperator = c.operators;
    header.CategoryPower = c.power;
    EXPECT_EQ(Starting(Build(header), "CATEGORY-"), c.expected) << c.operators;
  }
}

TEST_F(Cabrillo3Test, LocationFallsBackToTheArrlSection) {
  Setup("ARRL International DX Contest (CW)", "DL1ABC");
  struct Case {
    const char* location;
    const char* section;
    Lines expected;
  } cases[] = {
      {"ENY", "DX", {"LOCATION: ENY"}},
      {" ", "", {}},
  };
  for (const Case& c : cases) {
    CabrilloHeader header;
    header.Location = c.location;
    header.ArrlSection = c.section;
    EXPECT_EQ(Starting(Build(header), "LOCATION"), c.expected) << c.location;
  }
}

TEST_F(Cabrillo3Test, TheContestGoesByItsStandardNameWhereItHasOne) {
  struct Case {
    const char* name;  // UTF-8
    const char* expected;
  } cases[] = {
      {"King of Spain Contest (CW)", "CONTEST: EA-MAJESTAD-CW"},
      {"SP DX Contest", "CONTEST: SPDXC"},
      {"GACW CW DX Contest", "CONTEST: GACW"},
      {"Чемпионат/Кубок России телеграфом", "CONTEST: "},
  };
  for (const Case& c : cases) {
    Setup(c.name, "DL1ABC");
    EXPECT_EQ(Build({}).at(1), c.expected) << c.name;
  }
}

TEST_F(Cabrillo3Test, ModesWithoutAVoiceGoAsData) {
  Setup("CQ-M International DX Contest", "DL1ABC");
  for (const char* mode : {"SSTV", "DIGI"}) {
    TQSOData q = Qso("UA3ABC", "SAT", mode, "7", "05:07");
    q.QSODate = DateValueOf(std::chrono::year(2002) / 3 / 2);
    RawLog().AppendQSO(q);
  }
  CabrilloHeader header;
  header.Call = "DL1ABC";
  const std::string line =
      "QSO:       DG 2002-03-02 0507 DL1ABC                   UA3ABC            7      0";
  EXPECT_EQ(Starting(Build(header), "QSO:"), (Lines{line, line}));
}

}  // namespace
}  // namespace mirva
