#include "scoring/impossible_qsos.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "sample_qso.h"
#include "session_fixture.h"

namespace mirva {
namespace {

class ImpossibleQsosTest : public SessionTest {
 protected:
  KnownBandsAndModes known = AllBandsAndModes(session.RuleView());

  bool Counted(const TQSOData& q) const {
    return !CanBeQso(QsoRecordView(EncodeQSO(q).data()), known);
  }
};

// Each field of a sound QSO damaged in turn: only a callsign, date, time, band or mode that
// no QSO can have makes the record count.
TEST_F(ImpossibleQsosTest, EachFieldDamagedInTurn) {
  using Damage = std::function<void(TQSOData&)>;
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* what;
    Damage damage;
    bool counted;
  };
  const Row rows[] = {
      {"nothing", [](TQSOData&) {}, false},
      // Callsign.
      {"blank call", [](TQSOData& q) { q.Call = "   "; }, true},
      {"NUL in call", [](TQSOData& q) { q.Call = std::string("UA3\0BC", 6); }, true},
      {"DEL in call", [](TQSOData& q) { q.Call = "UA3\x7F"; }, true},
      {"unassigned byte in call", [](TQSOData& q) { q.Call = "UA3\x98"; }, true},
      {"portable call", [](TQSOData& q) { q.Call = "OE/UA3ABC/P"; }, false},
      {"Cyrillic call", [](TQSOData& q) { q.Call = "\xD3\xC0\x33\xC0\xC1\xD6"; }, false},
      {"lower-case call", [](TQSOData& q) { q.Call = "ua3abc"; }, false},
      // Date.
      {"NaN date", [kNaN](TQSOData& q) { q.QSODate = kNaN; }, true},
      {"infinite date", [kInf](TQSOData& q) { q.QSODate = kInf; }, true},
      {"date before year 1", [](TQSOData& q) { q.QSODate = -693594; }, true},
      {"date after year 9999", [](TQSOData& q) { q.QSODate = 2958466; }, true},
      {"0001-01-01", [](TQSOData& q) { q.QSODate = -693593; }, false},
      {"9999-12-31 with a time", [](TQSOData& q) { q.QSODate = 2958465.75; }, false},
      {"date value 0", [](TQSOData& q) { q.QSODate = 0; }, false},
      // Time.
      {"empty time", [](TQSOData& q) { q.QSOTime = ""; }, true},
      {"hour 24", [](TQSOData& q) { q.QSOTime = "24:00"; }, true},
      {"minute 60", [](TQSOData& q) { q.QSOTime = "12:60"; }, true},
      {"time without colon", [](TQSOData& q) { q.QSOTime = "1234"; }, true},
      {"time with seconds", [](TQSOData& q) { q.QSOTime = "12:34:56"; }, true},
      {"midnight", [](TQSOData& q) { q.QSOTime = "00:00"; }, false},
      {"last minute", [](TQSOData& q) { q.QSOTime = "23:59"; }, false},
      // Band and mode.
      {"empty band", [](TQSOData& q) { q.Band = ""; }, true},
      {"band of no contest", [](TQSOData& q) { q.Band = "21"; }, true},
      {"band with a blank", [](TQSOData& q) { q.Band = "20 "; }, true},
      {"satellite band", [](TQSOData& q) { q.Band = "SAT"; }, false},
      {"empty mode", [](TQSOData& q) { q.Mode = ""; }, true},
      {"mode of no contest", [](TQSOData& q) { q.Mode = "AM"; }, true},
      {"lower-case mode", [](TQSOData& q) { q.Mode = "cw"; }, true},
      {"SSTV", [](TQSOData& q) { q.Mode = "SSTV"; }, false},
      {"garbage in every field an edit or a rescoring mends",
       [](TQSOData& q) {
         q.RprtSent = q.RprtRcvd = "\x01\x02";
         q.NumberSent = q.NumberRcvd = "\x1B[0m";
         q.Note = std::string(127, '\0');
         q.Points = std::numeric_limits<int32_t>::min();
         q.Points2 = q.Points3 = std::numeric_limits<int32_t>::max();
         q.MultsText = q.CountryPrefix = "\xFF\x01";
       },
       false},
  };
  for (const Row& row : rows) {
    TQSOData q = SampleQso();
    row.damage(q);
    EXPECT_EQ(Counted(q), row.counted) << row.what;
  }
}

// The notice at start-up: how many records cannot be QSOs and the first five numbers; the
// records stay in the log. A sound log tells nothing.
TEST_F(ImpossibleQsosTest, StartTellsTheOperatorOnceAndKeepsTheRecords) {
  struct Row {
    const char* log;     // one letter per record: g sound, b damaged
    const char* notice;  // null: none
  };
  const Row rows[] = {
      {"gg", nullptr},
      {"gbg",
       "1 record of mrvtest.dat cannot be a QSO: 2. It is kept; look at its callsign, date, "
       "time, band and mode."},
      {"bgbb",
       "3 records of mrvtest.dat cannot be QSOs: 1, 3, 4. They are kept; look at their "
       "callsign, date, time, band and mode."},
      {"bbbbbg",
       "5 records of mrvtest.dat cannot be QSOs: 1, 2, 3, 4, 5. They are kept; look at their "
       "callsign, date, time, band and mode."},
      {"bbbbbbg",
       "6 records of mrvtest.dat cannot be QSOs: 1, 2, 3, 4, 5, ... They are kept; look at "
       "their callsign, date, time, band and mode."},
  };
  for (const Row& row : rows) {
    std::string bytes;
    for (const char* c = row.log; *c; ++c) {
      TQSOData q = SampleQso();
      if (*c == 'b')
        q.QSOTime = "25:00";
      bytes += EncodeQSO(q);
    }
    dir.Write(kLogFileName, bytes);
    RecordingNotifier told;
    Session fresh(fs, told, dir.path());
    fresh.Start();
    EXPECT_EQ(told.messages,
              row.notice ? std::vector<std::string>{row.notice} : std::vector<std::string>{})
        << row.log;
    EXPECT_EQ(fresh.log().QSOLog().size(), std::string_view(row.log).size());
  }
}

}  // namespace
}  // namespace mirva
