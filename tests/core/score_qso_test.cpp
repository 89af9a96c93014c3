#include "scoring/score_qso.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {
namespace {

// What the one scoring path stores for each QSO of a short log, saved in order.
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
     {{"f5ab", "20", "CW", "14", "14", "F", {1}, "F 14"},
      {"W1AW", "20", "CW", "5", "05", "K", {3}, "K 05"},
      {"F5AB", "20", "CW", "14", "14", "F", {}, "- -", true},
      {"F5AB", "15", "CW", "14", "14", "F", {1}, "F 14"}}},
    // Serials padded to three; the prefix is the multiplier, once per contest.
    {"CQ WW WPX Contest (SSB)",
     "DL1ABC",
     "",
     {{"SP5XYZ", "40", "SSB", "7", "007", "SP", {2}, "SP5"},
      {"SP5XYZ", "20", "SSB", "12", "012", "SP", {1}, "- -"},
      {"SP6XYZ", "20", "SSB", "x1", "X1", "SP", {1}, "SP6"}}},
    // Serial and zone in the contest's form; a serial that is no number is kept as typed.
    {"VOLTA RTTY WW Contest",
     "DL1ABC",
     "",
     {{"JA1ABC", "20", "RTTY", "7 25", "007-25", "JA", {}, "JA1"},  // no point table here
      {"JA2ABC", "20", "RTTY", "a 25", "A 25", "JA", {}, "JA2"}}},
    // Zone points, the new-station bonus once per callsign and the hour bonus once per zone
    // and hour; a bad exchange scores nothing.
    {"Чемпионат/Кубок России телеграфом",
     "UA3ABC",
     "3",
     {{"UA9AB", "20", "CW", "5001", "5001", "UA9", {11, 10, 100}, "- -"},
      {"UA9AB", "40", "CW", "5002", "5002", "UA9", {11, 0, 0}, "- -"},
      {"UA9CD", "80", "CW", "5003", "5003", "UA9", {11, 10, 0}, "- -"},
      {"UA9EF", "80", "CW", "A5", "A5", "UA9", {}, "- -"}}},
    // A Swiss station's canton and serial in one order; others' serials padded.
    {"Helvetia contest",
     "DL1ABC",
     "",
     {{"HB9AB", "20", "CW", "zh12", "012ZH", "HB", {3}, "ZH"},
      {"F5AB", "20", "CW", "7", "007", "F", {0}, "- -"}}},
    // A Belgian station's province and serial; others' serials padded.
    {"UBA DX Contest (CW)",
     "DL1ABC",
     "",
     {{"ON4AB", "20", "CW", "an5", "005AN", "ON", {10}, "ON·AN ON4"},
      {"F5AB", "20", "CW", "12", "012", "F", {3}, "F -"}}},
    // A Japanese station's prefecture has two digits; others' serials three.
    {"Japan International DX Contest (HF CW)",
     "DL1ABC",
     "",
     {{"JA1AB", "20", "CW", "1", "01", "JA", {1}, "01"},
      {"F5AB", "20", "CW", "1", "001", "F", {1}, "- -"}}},
    // A Hungarian station's county is kept as sent.
    {"Hungarian DX Contest",
     "DL1ABC",
     "",
     {{"HA5AB", "20", "CW", "12", "12", "HA", {6}, "HA·12"},
      {"F5AB", "20", "CW", "12", "012", "F", {0}, "- -"}}},
    // A Russian station sends its oblast; others their serial.
    {"Russian DX contest",
     "DL1ABC",
     "",
     {{"UA3ABC", "20", "CW", "mo", "MO", "UA", {10}, "UA MO"},
      {"DL2ABC", "20", "CW", "1", "1", "DL", {2}, "DL -"}}},
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
      fields.Call = UpperCase(s.call);
      fields.Band = s.band;
      fields.Mode = s.mode;
      fields.NumberRcvd = UpperCase(s.typed);
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

TEST_F(ScoreQsoTest, NothingScoresWithoutAContest) {
  TQSOData fields;
  fields.Call = "F5ABC";
  fields.Band = "20";
  fields.NumberRcvd = "7";
  ScoredQso scored = ScoreQso(session.Scoring(), fields);
  EXPECT_EQ(scored.record.NumberRcvd, "7");
  EXPECT_EQ(scored.record.CountryPrefix, "F");
  EXPECT_EQ(scored.record.Points + scored.record.Points2 + scored.record.Points3, 0);
  EXPECT_FALSE(scored.dupe);
  EXPECT_EQ(scored.mults, NewMults{});
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
