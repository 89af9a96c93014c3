#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error.h"
#include "log/log_store.h"
#include "sample_qso.h"
#include "test_dir.h"

namespace mirva {
namespace {

std::vector<std::string> CallsOnDisk(const TestDir& dir) {
  NativeFileSystem fs;
  LogStore reloaded(fs, dir.path());
  EXPECT_EQ(reloaded.LoadLog().torn_bytes, 0u);
  std::vector<std::string> calls;
  for (const TQSOData& q : reloaded.QSOLog())
    calls.push_back(q.Call);
  return calls;
}

// How many synced writes, unsynced writes and flushes reached the files.
std::vector<int> Writes(const FaultyFileSystem& fs) {
  return {fs.Calls("write-at"), fs.Calls("write-unsynced"), fs.Calls("sync")};
}

TEST(LogBatch, AppendsWriteAtOnceAndFlushOnceAtTheEnd) {
  TestDir dir;
  FaultyFileSystem fs;
  LogStore store(fs, dir.path());
  store.LoadLog();
  store.AppendQSO(TestQso("K1A"));
  store.BeginBatch();
  store.AppendQSO(TestQso("K1B"));
  store.AppendQSO(TestQso("K1C"));
  EXPECT_EQ(Writes(fs), (std::vector<int>{1, 2, 0}));
  // Written, if not yet flushed: another reader of the file sees the records already.
  EXPECT_EQ(CallsOnDisk(dir), (std::vector<std::string>{"K1A", "K1B", "K1C"}));
  store.EndBatch();
  EXPECT_EQ(Writes(fs), (std::vector<int>{1, 2, 1}));
  store.EndBatch();  // no batch: nothing to flush
  store.AppendQSO(TestQso("K1D"));
  EXPECT_EQ(Writes(fs), (std::vector<int>{2, 2, 1}));
  EXPECT_EQ(CallsOnDisk(dir), (std::vector<std::string>{"K1A", "K1B", "K1C", "K1D"}));
}

TEST(LogBatch, AFailedWriteLeavesWholeRecordsAndTheNextOneInItsPlace) {
  TestDir dir;
  FaultyFileSystem fs;
  fs.Fail("write-unsynced", 2, Strike::kPart);
  LogStore store(fs, dir.path());
  store.LoadLog();
  store.BeginBatch();
  store.AppendQSO(TestQso("K1A"));
  EXPECT_THROW(store.AppendQSO(TestQso("K1B")), IoError);
  EXPECT_EQ(store.QSOLog().size(), 1u);
  store.AppendQSO(TestQso("K1C"));
  store.EndBatch();
  EXPECT_EQ(CallsOnDisk(dir), (std::vector<std::string>{"K1A", "K1C"}));
}

}  // namespace
}  // namespace mirva
