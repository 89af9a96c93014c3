#include "scoring/exchange_warning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scoring/multipliers.h"
#include "session_fixture.h"

namespace mirva {
namespace {

class ExchangeWarningTest : public SessionTest {
 protected:
  /// The warning for the QSO as typed on 20 m in the contest's first mode.
  std::string Warning(std::string_view call, std::string_view rcvd) const {
    TQSOData q = Qso(call, "20", session.Contest().Modes.front(), rcvd);
    std::vector<MultMatch> matches = QueryMultipliers(session.Scoring(), q, Worked(call));
    return Cp1251ToUtf8(ExchangeWarning(session.Scoring(), q, matches));
  }
};

// What the operator reads while typing: which list an exchange cannot count in, with the
// numbers that would count, or the form a contest's exchange takes; nothing for an exchange
// that counts or is not typed yet. Which keys cannot count is the query's test.
TEST_F(ExchangeWarningTest, TellsWhatCannotCount) {
  struct Case {
    const char* contest;
    const char* own;
    const char* call;
    const char* rcvd;
    const char* warning;  // UTF-8; empty: none
  } cases[] = {
      {"CQ WW DX Contest (CW)", "DL1ABC", "F5AB", "5", ""},
      {"CQ WW DX Contest (CW)", "DL1ABC", "F5AB", " ", ""},
      {"CQ WW DX Contest (CW)", "DL1ABC", "F5AB", "055",
       "'055' is not one of this contest's CQ zones (01 to 40): it counts no multiplier"},
      {"Russian DX contest", "DL1ABC", "UA3AB", "SPSP",
       "'SPSP' is not one of this contest's Russian oblasts: it counts no multiplier"},
      {"ARI International DX Contest", "DL1ABC", "I1AB", " ZZ ",
       "'ZZ' is not one of this contest's DXCC and Italy provinces: it counts no multiplier"},
      // One caption for two lists names none of them.
      {"UBA DX Contest (CW)", "DL1ABC", "ON4AB", "012",
       "'012' is in no list of this contest: it counts no multiplier"},
      // The ITU zone that counts is the country's; the one received only has its form.
      {"YU DX Contest", "YU1ABC", "DL1AB", "90", ""},
      {"YU DX Contest", "YU1ABC", "DL1AB", "95",
       "'95' is no ITU zone (1 to 90), the exchange of this contest"},
      {"YU DX Contest", "YU1ABC", "DL1AB", "ABC",
       "'ABC' is no ITU zone (1 to 90), the exchange of this contest"},
      {"VOLTA RTTY WW Contest", "DL1ABC", "F5AB", "005-40", ""},
      {"VOLTA RTTY WW Contest", "DL1ABC", "F5AB", "5/41",
       "'5/41' is no serial number and CQ zone (1 to 40), the exchange of this contest"},
      {"VOLTA RTTY WW Contest", "DL1ABC", "F5AB", "5",
       "'5' is no serial number and CQ zone (1 to 40), the exchange of this contest"},
      {"VOLTA RTTY WW Contest", "DL1ABC", "F5AB", "A 14",
       "'A 14' is no serial number and CQ zone (1 to 40), the exchange of this contest"},
      {"VOLTA RTTY WW Contest", "DL1ABC", "F5AB", "5 14 3",
       "'5 14 3' is no serial number and CQ zone (1 to 40), the exchange of this contest"},
  };
  WritePointsTable();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.contest) + ", " + c.call + " '" + c.rcvd + "'");
    Setup(c.contest, c.own);
    EXPECT_EQ(Warning(c.call, c.rcvd), c.warning);
  }
}

}  // namespace
}  // namespace mirva
