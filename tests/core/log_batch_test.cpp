#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error.h"
#include "log/log_store.h"
#include "test_dir.h"

namespace mirva {
namespace {

/// Real files that record which writes and flushes reach them; `fail_write` makes that
/// unsynced write (counted from 1) write half its bytes and fail, as a full disk does.
class RecordingFileSystem : public PosixFileSystem {
 public:
  std::vector<std::string> ops;
  int fail_write = 0;

  void WriteAt(const std::string& p, std::uint64_t o, std::string_view b) override {
    ops.push_back("write+sync");
    PosixFileSystem::WriteAt(p, o, b);
  }
  void WriteAtUnsynced(const std::string& p, std::uint64_t o, std::string_view b) override {
    ops.push_back("write");
    if (++writes_ == fail_write) {
      PosixFileSystem::WriteAtUnsynced(p, o, b.substr(0, b.size() / 2));
      throw IoError("No space left on device");
    }
    PosixFileSystem::WriteAtUnsynced(p, o, b);
  }
  void Sync(const std::string& p) override {
    ops.push_back("sync");
    PosixFileSystem::Sync(p);
  }

 private:
  int writes_ = 0;
};

TQSOData Qso(const std::string& call) {
  TQSOData q;
  q.QSODate = 46000;
  q.QSOTime = "12:00";
  q.Call = call;
  q.Band = "20";
  q.Mode = "CW";
  return q;
}

std::vector<std::string> CallsOnDisk(const TestDir& dir) {
  PosixFileSystem fs;
  LogStore reloaded(fs, dir.path());
  EXPECT_EQ(reloaded.LoadLog().torn_bytes, 0u);
  std::vector<std::string> calls;
  for (const TQSOData& q : reloaded.QSOLog())
    calls.push_back(q.Call);
  return calls;
}

TEST(LogBatch, AppendsWriteAtOnceAndFlushOnceAtTheEnd) {
  TestDir dir;
  RecordingFileSystem fs;
  LogStore store(fs, dir.path());
  store.LoadLog();
  store.AppendQSO(Qso("K1A"));
  store.BeginBatch();
  store.AppendQSO(Qso("K1B"));
  store.AppendQSO(Qso("K1C"));
  EXPECT_EQ(fs.ops, (std::vector<std::string>{"write+sync", "write", "write"}));
  // Written, if not yet flushed: another reader of the file sees the records already.
  EXPECT_EQ(CallsOnDisk(dir), (std::vector<std::string>{"K1A", "K1B", "K1C"}));
  store.EndBatch();
  store.EndBatch();  // no batch: nothing to flush
  store.AppendQSO(Qso("K1D"));
  EXPECT_EQ(fs.ops, (std::vector<std::string>{"write+sync", "write", "write", "sync", "write+sync"}));
  EXPECT_EQ(CallsOnDisk(dir), (std::vector<std::string>{"K1A", "K1B", "K1C", "K1D"}));
  EXPECT_EQ(store.QSOLog().size(), 4u);
}

TEST(LogBatch, AFailedWriteLeavesWholeRecordsAndTheNextOneInItsPlace) {
  TestDir dir;
  RecordingFileSystem fs;
  fs.fail_write = 2;
  LogStore store(fs, dir.path());
  store.LoadLog();
  store.BeginBatch();
  store.AppendQSO(Qso("K1A"));
  EXPECT_THROW(store.AppendQSO(Qso("K1B")), IoError);
  EXPECT_EQ(store.QSOLog().size(), 1u);
  store.AppendQSO(Qso("K1C"));
  store.EndBatch();
  EXPECT_EQ(CallsOnDisk(dir), (std::vector<std::string>{"K1A", "K1C"}));
}

}  // namespace
}  // namespace mirva
