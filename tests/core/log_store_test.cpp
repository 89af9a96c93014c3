#include "log/log_store.h"

#include <gtest/gtest.h>

#include "error.h"
#include "test_dir.h"

namespace mirva {
namespace {

TQSOData Qso(const std::string& call, int32_t points = 1) {
  TQSOData q;
  q.QSODate = 46000;
  q.QSOTime = "10:00";
  q.Call = call;
  q.Band = "20";
  q.Mode = "CW";
  q.Points = points;
  return q;
}

std::string FileOf(std::initializer_list<std::string> calls) {
  std::string bytes;
  for (const std::string& c : calls)
    bytes += EncodeQSO(Qso(c));
  return bytes;
}

std::vector<std::string> Calls(const TQSODataArr& log) {
  std::vector<std::string> calls;
  for (const TQSOData& q : log)
    calls.push_back(q.Call);
  return calls;
}

struct LogStoreTest : ::testing::Test {
  TestDir dir;
  FaultyFileSystem fs;
  LogStore store{fs, dir.path()};
};

TEST_F(LogStoreTest, StartWithoutFileCreatesAnEmptyLog) {
  store.LoadLog();
  EXPECT_TRUE(store.QSOLog().empty());
  ASSERT_TRUE(dir.Has(kLogFileName));
  EXPECT_EQ(dir.Read(kLogFileName).size(), 0u);
}

TEST_F(LogStoreTest, LoadKeepsFileOrderAndAppendAddsOneRecord) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
  store.LoadLog();
  EXPECT_EQ(Calls(store.QSOLog()), (std::vector<std::string>{"A1A", "B1B", "C1C"}));

  std::vector<std::pair<std::string, int>> seen;
  store.UpdateAfterAppend = [&](const TQSOData& q, uint8_t flags) {
    seen.emplace_back(q.Call, flags);
  };
  store.AppendQSO(Qso("D1DDDDDDDDDDDDD"), 5);
  EXPECT_EQ(dir.Read(kLogFileName).size(), 4 * kQsoRecordSize);
  EXPECT_EQ(store.QSOLog().back().Call, "D1DDDDDDDDDD");
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"D1DDDDDDDDDD", 5}}));

  LogStore again(fs, dir.path());
  again.LoadLog();
  EXPECT_EQ(again.QSOLog(), store.QSOLog());
}

TEST_F(LogStoreTest, RewriteChangesExactlyOneRecord) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
  store.LoadLog();
  std::string before = dir.Read(kLogFileName);
  store.RewriteQSO(1, Qso("X9X", 7));
  std::string after = dir.Read(kLogFileName);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, kQsoRecordSize), before.substr(0, kQsoRecordSize));
  EXPECT_EQ(after.substr(2 * kQsoRecordSize), before.substr(2 * kQsoRecordSize));
  EXPECT_EQ(after.substr(kQsoRecordSize, kQsoRecordSize), EncodeQSO(Qso("X9X", 7)));
  EXPECT_EQ(store.QSOLog()[1].Points, 7);
  EXPECT_THROW(store.RewriteQSO(3, Qso("Y")), std::out_of_range);
}

TEST_F(LogStoreTest, DeleteKeepsThePreviousFileAsBackup) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
  store.LoadLog();
  int resets = 0;
  store.AfterReset = [&] { ++resets; };

  store.DeleteQSO(1);
  EXPECT_EQ(Calls(store.QSOLog()), (std::vector<std::string>{"A1A", "C1C"}));
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "C1C"}));
  EXPECT_EQ(dir.Read(kLogBackupName), FileOf({"A1A", "B1B", "C1C"}));

  store.DeleteQSO(0);
  store.DeleteQSO(0);
  EXPECT_EQ(dir.Read(kLogFileName), "");
  EXPECT_EQ(dir.Read(kLogBackupName), FileOf({"C1C"}));  // each delete replaces the backup
  EXPECT_EQ(resets, 3);
  EXPECT_FALSE(dir.Has(kLogTempName));
  EXPECT_THROW(store.DeleteQSO(0), std::out_of_range);
}

TEST_F(LogStoreTest, ClearEmptiesTheFileAndKeepsABackup) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}));
  store.LoadLog();
  store.ClearLog();
  EXPECT_TRUE(store.QSOLog().empty());
  EXPECT_EQ(dir.Read(kLogFileName), "");
  EXPECT_EQ(dir.Read(kLogBackupName), FileOf({"A1A", "B1B"}));
}

TEST_F(LogStoreTest, TornTailIsSetAsideAndTheLogTrimmedToWholeRecords) {
  std::string tail = EncodeQSO(Qso("TORN")).substr(0, 100);
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}) + tail);

  LogLoadReport report = store.LoadLog();
  EXPECT_EQ(Calls(store.QSOLog()), (std::vector<std::string>{"A1A", "B1B"}));
  EXPECT_EQ(report.torn_bytes, 100u);
  EXPECT_EQ(report.torn_copy, kTornTailName);
  EXPECT_EQ(dir.Read(kTornTailName), tail);
  EXPECT_EQ(dir.Read(kLogFileName).size(), 2 * kQsoRecordSize);

  store.AppendQSO(Qso("C1C"), 0);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B", "C1C"}));

  // A second torn tail never overwrites the first one's copy.
  dir.Write(kLogFileName, dir.Read(kLogFileName) + "xyz");
  report = store.LoadLog();
  EXPECT_EQ(report.torn_copy, std::string(kTornTailName) + ".2");
  EXPECT_EQ(dir.Read(kTornTailName), tail);
  EXPECT_EQ(store.QSOLog().size(), 3u);
}

TEST_F(LogStoreTest, CrashAtAnyStepOfADeleteLeavesAWholeLog) {
  for (std::string step : {"write", "link", "rename"}) {
    SCOPED_TRACE(step);
    dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
    fs.before = nullptr;
    store.LoadLog();
    fs.before = [&](const std::string& op, const std::string&) {
      if (op == step)
        throw IoError("simulated crash");
    };
    EXPECT_THROW(store.DeleteQSO(0), IoError);
    EXPECT_EQ(store.QSOLog().size(), 3u);  // memory still agrees with the file

    fs.before = nullptr;
    LogStore restarted(fs, dir.path());
    LogLoadReport report = restarted.LoadLog();
    EXPECT_EQ(report.torn_bytes, 0u);
    EXPECT_EQ(Calls(restarted.QSOLog()), (std::vector<std::string>{"A1A", "B1B", "C1C"}));
  }
}

TEST_F(LogStoreTest, DeleteAfterTheTempFileWasWrittenButNotRenamedLoadsTheOldLog) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}));
  dir.Write(kLogTempName, FileOf({"B1B"}).substr(0, 50));  // left by a crash
  store.LoadLog();
  EXPECT_EQ(Calls(store.QSOLog()), (std::vector<std::string>{"A1A", "B1B"}));
  store.DeleteQSO(0);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"B1B"}));
}

TEST_F(LogStoreTest, FailedAppendLeavesNoPartialRecord) {
  dir.Write(kLogFileName, FileOf({"A1A"}));
  store.LoadLog();
  fs.before = [&](const std::string& op, const std::string& path) {
    if (op == "append") {
      std::ofstream(path, std::ios::binary | std::ios::app) << "half a record";
      throw IoError("disk full");
    }
  };
  bool hook_ran = false;
  store.UpdateAfterAppend = [&](const TQSOData&, uint8_t) { hook_ran = true; };
  EXPECT_THROW(store.AppendQSO(Qso("B1B"), 1), IoError);
  EXPECT_FALSE(hook_ran);
  EXPECT_EQ(store.QSOLog().size(), 1u);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A"}));

  fs.before = nullptr;
  store.AppendQSO(Qso("C1C"), 0);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "C1C"}));
}

TEST_F(LogStoreTest, UnreadableLogIsReportedAndNeverReplaced) {
  dir.Write(kLogFileName, FileOf({"A1A"}));
  fs.unreadable.insert(dir / kLogFileName);
  EXPECT_THROW(store.LoadLog(), IoError);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A"}));
}

}  // namespace
}  // namespace mirva
