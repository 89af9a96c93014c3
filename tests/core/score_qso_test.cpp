#include "scoring/score_qso.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {
namespace {

// What a save stores for each QSO of a short log; the rules of each contest are tested
// on their own, this the path that joins them.
struct Saved {
  const char* call;
  const char* band;
  const char* mode;
  const char* typed;   // the received exchange as typed
  const char* rcvd;    // as stored
  const char* prefix;  // the country prefix stored
  PointsTriple points;
  const char* mark;
  bool dupe = false;
};

struct Family {
  const char* contest;
  const char* own;
  const char* state;
  std::vector<Saved> log;
};

const Family kFamilies[] = {
    // Zones padded to two digits; the repeat on the band scores nothing and brings nothing.
    {"CQ WW DX Contest (CW)",
     "DL1ABC",
     "",
     {{"F5AB", "20", "CW", "14", "14", "F", {1}, "F 14"},
      {"W1AW", "20", "CW", "5", "05", "K", {3}, "K 05"},
      {"F5AB", "20", "CW", "14", "14", "F", {}, "- -", true},
      {"F5AB", "15", "CW", "14", "14", "F", {1}, "F 14"}}},
    // Zone points, the new-station bonus once per callsign and the hour bonus once per zone
    // and hour; a bad exchange scores nothing.
    {"Чемпионат/Кубок России телеграфом",
     "UA3ABC",
     "3",
     {{"UA9AB", "20", "CW", "5001", "5001", "UA9", {11, 10, 100}, "- -"},
      {"UA9AB", "40", "CW", "5002", "5002", "UA9", {11, 0, 0}, "- -"},
      {"UA9CD", "80", "CW", "5003", "5003", "UA9", {11, 10, 0}, "- -"},
      {"UA9EF", "80", "CW", "A5", "A5", "UA9", {}, "- -"}}},
};

using ScoreQsoTest = SessionTest;

TEST_F(ScoreQsoTest, EachFamilyStoresWhatItsRulesDecide) {
  for (const Family& f : kFamilies) {
    SCOPED_TRACE(f.contest);
    session.ClearLog();
    Setup(f.contest, f.own, f.state);
    session.RebuildTotals();
    for (const Saved& s : f.log) {
      TQSOData fields;
      fields.QSOTime = "12:00";
      fields.Call = s.call;
      fields.Band = s.band;
      fields.Mode = s.mode;
      fields.NumberRcvd = s.typed;
      ScoredQso scored = session.SaveQso(fields);
      const TQSOData& r = scored.record;
      SCOPED_TRACE(s.call);
      EXPECT_EQ(r.NumberRcvd, s.rcvd);
      EXPECT_EQ(r.CountryPrefix, s.prefix);
      EXPECT_EQ(r.Points, s.points.Points);
      EXPECT_EQ(r.Points2, s.points.Points2);
      EXPECT_EQ(r.Points3, s.points.Points3);
      EXPECT_EQ(Cp1251ToUtf8(r.MultsText), s.mark);
      EXPECT_EQ(scored.dupe, s.dupe);
      EXPECT_EQ(session.log().QSOLog().back(), r);
    }
  }
}

}  // namespace
}  // namespace mirva
