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

// Every contest: a log saved QSO by QSO and the same log rescored store the same records and
// give the same totals (the rescoring only writes its duplicate marker into the note).
TEST_F(ScoreQsoTest, RescoringEqualsTheSaves) {
  const char* calls[] = {"F5AB",  "W1AW",  "JA1ABC", "UA9ABC", "F5AB",  "EA3XY",   "I1AB",
                         "HB9AB", "SP5AB", "4X1AB",  "ON4AB",  "YU1AB", "K1ABC/T", "HA5AB"};
  WritePointsTable();
  for (const ContestRules* rules : AllContestRules()) {
    std::string name = Cp1251ToUtf8(rules->name);
    SCOPED_TRACE(name);
    session.ClearLog();
    Setup(name, "DL1ABC", "3");
    session.RebuildTotals();
    const TContest& contest = session.Contest();
    std::size_t n = 0;
    for (const char* call : calls) {
      TQSOData fields;
      fields.QSOTime = n % 3 ? "12:00" : "13:30";
      fields.Call = call;
      fields.Band = contest.Bands[n % contest.Bands.size()];
      fields.Mode = contest.Modes[n % contest.Modes.size()];
      fields.NumberRcvd = n % 2 ? std::to_string(n) : std::to_string(n + 2) + " MO";
      fields.NumberSent = std::to_string(n + 1);
      session.SaveQso(fields);
      ++n;
    }
    std::vector<TQSOData> saved(session.log().QSOLog().begin(), session.log().QSOLog().end());
    ContestTotals totals = session.totals();
    ASSERT_TRUE(session.RescoreLog());
    ASSERT_EQ(session.log().QSOLog().size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
      TQSOData rescored = session.log().QSOLog()[i];
      rescored.Note = saved[i].Note;
      EXPECT_EQ(rescored, saved[i]) << "QSO " << i + 1;
    }
    EXPECT_EQ(session.totals().TotalPoints, totals.TotalPoints);
    EXPECT_EQ(session.totals().TotalMults, totals.TotalMults);
    EXPECT_EQ(session.totals().QsoCounts, totals.QsoCounts);
  }
}

}  // namespace
}  // namespace mirva
