// What each operation of the session tells its listeners, and when it shows its messages.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "error.h"
#include "scoring/totals.h"
#include "session_fixture.h"

namespace mirva {
namespace {

/// Whether the totals and the statistics grid are what counting the log anew gives. (An edit
/// leaves the worked multipliers as they were until the log is scored again.)
bool TotalsMatchLog(const Session& session) {
  ContestState recounted = session.contest();
  ContestTotals totals;
  RebuildTotals(recounted, totals, session.Rules(), session.log());
  const ContestTotals& now = session.totals();
  return now.TotalPoints == totals.TotalPoints && now.TotalMults == totals.TotalMults &&
         now.QsoCounts == totals.QsoCounts &&
         session.contest().QsoStat.cells == recounted.QsoStat.cells;
}

/// Writes down each notice; those that came while the totals did not match the log, or after
/// the operator had been shown an error, are written down again.
struct NoticeLog : SessionListener {
  NoticeLog(const Session& s, const RecordingNotifier& n) : session(s), notifier(n) {}

  const Session& session;
  const RecordingNotifier& notifier;
  std::vector<std::string> told;
  std::vector<std::string> stale;
  std::vector<std::string> after_errors;

  void Heard(std::string notice) {
    if (!TotalsMatchLog(session))
      stale.push_back(notice);
    if (!notifier.errors.empty())
      after_errors.push_back(notice);
    told.push_back(std::move(notice));
  }
  void QsoAppended(std::size_t i) override { Heard("appended " + std::to_string(i)); }
  void QsoChanged(std::size_t i) override { Heard("changed " + std::to_string(i)); }
  void LogReplaced() override { Heard("replaced"); }
  void TotalsChanged() override { Heard("totals"); }
  void ContestChanged() override { Heard("contest"); }
  void StationChanged() override { Heard("station"); }
};

struct Operation {
  const char* name;
  std::function<void(Session&, FaultyFileSystem&)> run;
  std::vector<std::string> told;
  /// How many errors the operator is shown after it.
  std::size_t errors = 0;
};

/// A QSO none of the prepared log repeats.
TQSOData JapaneseQso() {
  TQSOData q;
  q.QSOTime = "12:30";
  q.Call = "JA1ABC";
  q.Band = "15";
  q.Mode = "CW";
  q.NumberRcvd = "25";
  return q;
}

const std::string kRussianCw = Utf8ToCp1251("Чемпионат/Кубок России телеграфом");

/// CQ WW DX (CW) for DL1ABC with three QSOs logged, the last a duplicate.
class SessionNoticesTest : public SessionTest, public ::testing::WithParamInterface<Operation> {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    Setup("CQ WW DX Contest (CW)", "DL1ABC");
    session.SaveQso(Qso("UA3ABC", "20", "CW", "16"));
    session.SaveQso(Qso("OK1XY", "40", "CW", "15"));
    session.SaveQso(Qso("UA3ABC", "20", "CW", "16"));
    notifier.errors.clear();
  }
};

TEST_P(SessionNoticesTest, EachChangeIsToldOnceWhenTheOperationIsDone) {
  const Operation& op = GetParam();
  NoticeLog log(session, notifier);
  session.AddListener(&log);
  op.run(session, fs);
  session.RemoveListener(&log);
  EXPECT_EQ(log.told, op.told);
  EXPECT_EQ(log.stale, std::vector<std::string>());
  EXPECT_EQ(log.after_errors, std::vector<std::string>());
  EXPECT_EQ(notifier.errors.size(), op.errors);
  EXPECT_TRUE(TotalsMatchLog(session));
}

void PrintTo(const Operation& op, std::ostream* out) {
  *out << op.name;
}

const Operation kOperations[] = {
    {"Save",
     [](Session& s, FaultyFileSystem&) { s.SaveQso(JapaneseQso()); },
     {"appended 3", "totals"}},
    {"Edit",
     [](Session& s, FaultyFileSystem&) {
       TQSOData edited = s.log().QSOLog()[1];
       edited.Band = "20";
       s.EditQso(1, edited);
     },
     {"changed 1", "totals"}},
    {"Delete", [](Session& s, FaultyFileSystem&) { s.DeleteQso(0); }, {"replaced", "totals"}},
    {"Clear", [](Session& s, FaultyFileSystem&) { s.ClearLog(); }, {"replaced", "totals"}},
    // Six bands and one mode become seven and four.
    {"SelectContest",
     [](Session& s, FaultyFileSystem&) { s.SetupContest("CQ-M International DX Contest"); },
     {"contest", "station", "totals"}},
    // A station that does not fit is told after the notices.
    {"SelectContestForAStationThatDoesNotFit",
     [](Session& s, FaultyFileSystem&) { s.SetupContest(kRussianCw); },
     {"contest", "station", "totals"},
     1},
    {"Rescore",
     [](Session& s, FaultyFileSystem&) { ASSERT_TRUE(s.RescoreLog()); },
     {"replaced", "totals"}},
    {"Station",
     [](Session& s, FaultyFileSystem&) { s.SetStation(s.StoredStation()); },
     {"station"}},
    {"Load", [](Session& s, FaultyFileSystem&) { s.Start(); }, {"replaced", "totals"}},
    {"RebuildTotals", [](Session& s, FaultyFileSystem&) { s.RebuildTotals(); }, {"totals"}},
    // What fails before it changes anything tells nothing.
    {"UnknownContest",
     [](Session& s, FaultyFileSystem&) { EXPECT_FALSE(s.SetupContest("CQ WW DX Contest")); },
     {}},
    {"SaveThatCannotBeWritten",
     [](Session& s, FaultyFileSystem& fs) {
       fs.Fail("write-at", 0, Strike::kBefore);
       EXPECT_THROW(s.SaveQso(JapaneseQso()), IoError);
     },
     {}},
    {"DeletePastTheLog",
     [](Session& s, FaultyFileSystem&) { EXPECT_THROW(s.DeleteQso(3), std::out_of_range); },
     {}},
    // A rescoring whose file cannot be replaced reads the log back, and says why after.
    {"RescoreThatCannotBeWritten",
     [](Session& s, FaultyFileSystem& fs) {
       fs.Fail("rename", 0, Strike::kBefore);
       EXPECT_FALSE(s.RescoreLog());
     },
     {"replaced", "totals"},
     1},
};

INSTANTIATE_TEST_SUITE_P(Operations, SessionNoticesTest, ::testing::ValuesIn(kOperations),
                         [](const auto& test) { return std::string(test.param.name); });

class SessionOperationTest : public SessionTest {};

// The reference files' problems and the station's, raised while the contest is set up, come
// after its notices and in the order they were found.
TEST_F(SessionOperationTest, ASetupShowsItsMessagesAfterItsNotices) {
  for (const char* name : {"CTY.DAT", "P-150-C.DAT"})
    std::filesystem::remove(dir / name);
  TStationCFG station;
  station.Call = "UA3ABC";
  station.State = "x";
  session.SetStation(station);
  NoticeLog log(session, notifier);
  session.AddListener(&log);
  session.SetupContest(kRussianCw);
  EXPECT_EQ(log.told, (std::vector<std::string>{"contest", "station", "totals"}));
  EXPECT_EQ(log.after_errors, std::vector<std::string>());
  ASSERT_EQ(notifier.errors.size(), 2u);
  EXPECT_TRUE(notifier.errors[0].starts_with("The country file ")) << notifier.errors[0];
  EXPECT_EQ(notifier.errors[1], session.FitOfStation().problem);
  EXPECT_FALSE(notifier.errors[1].empty());
}

/// Starts an operation of its own at the first notice it hears.
struct Meddler : SessionListener {
  Session& session;
  std::vector<std::string> told;
  explicit Meddler(Session& s) : session(s) {}
  void LogReplaced() override {
    told.push_back("replaced");
    if (told.size() == 1)
      session.SetStation(session.StoredStation());
  }
  void TotalsChanged() override { told.push_back("totals"); }
  void StationChanged() override { told.push_back("station"); }
};

// What a listener changes while it is told comes after what it was told.
TEST_F(SessionOperationTest, AnOperationStartedByAListenerIsToldAfterTheOneItHeard) {
  Meddler meddler(session);
  NoticeLog log(session, notifier);
  session.AddListener(&meddler);
  session.AddListener(&log);
  session.ClearLog();
  const std::vector<std::string> told = {"replaced", "totals", "station"};
  EXPECT_EQ(meddler.told, told);
  EXPECT_EQ(log.told, told);
}

}  // namespace
}  // namespace mirva
