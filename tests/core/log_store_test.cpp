#include "log/log_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "../../fuzz/memory_file_system.h"
#include "error.h"
#include "test_dir.h"

namespace mirva {
namespace {

TQSOData Qso(const std::string& call) {
  TQSOData q;
  q.QSODate = 46000;
  q.Call = call;
  return q;
}

std::string FileOf(std::initializer_list<std::string> calls) {
  std::string bytes;
  for (const std::string& c : calls)
    bytes += EncodeQSO(Qso(c));
  return bytes;
}

// The callsigns of the log in order, each followed by a blank.
std::string Calls(const LogStore& store) {
  std::string calls;
  for (const TQSOData& q : store.QSOLog())
    calls += q.Call + " ";
  return calls;
}

// The bytes of every record of QSOLog, read in place.
std::string MemoryOf(const LogStore& store) {
  std::string bytes;
  QsoLog log = store.QSOLog();
  for (std::size_t i = 0; i < log.size(); ++i)
    bytes += log.Record(i).Bytes();
  return bytes;
}

struct LogStoreTest : ::testing::Test {
  TestDir dir;
  FaultyFileSystem fs;
  LogStore store{fs, dir.path()};
};

TEST_F(LogStoreTest, LoadKeepsFileOrderAppendAddsAndRewriteChangesOneRecord) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
  store.LoadLog();
  EXPECT_EQ(Calls(store), "A1A B1B C1C ");

  store.AppendQSO(Qso("D1DDDDDDDDDDDDD"));
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B", "C1C", "D1DDDDDDDDDD"}));
  EXPECT_EQ(store.QSOLog().back(), Qso("D1DDDDDDDDDD"));

  store.RewriteQSO(1, Qso("X9XXXXXXXXXXXXX"));
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "X9XXXXXXXXXX", "C1C", "D1DDDDDDDDDD"}));
  EXPECT_EQ(store.QSOLog()[1], Qso("X9XXXXXXXXXX"));
  EXPECT_THROW(store.RewriteQSO(4, Qso("Y")), std::out_of_range);
}

TEST_F(LogStoreTest, DeleteAndClearKeepThePreviousFileAsBackup) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
  store.LoadLog();

  store.DeleteQSO(1);
  EXPECT_EQ(Calls(store), "A1A C1C ");
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "C1C"}));
  EXPECT_EQ(dir.Read(kLogBackupName), FileOf({"A1A", "B1B", "C1C"}));

  store.ClearLog();
  EXPECT_TRUE(store.QSOLog().empty());
  EXPECT_EQ(dir.Read(kLogFileName), "");
  EXPECT_EQ(dir.Read(kLogBackupName), FileOf({"A1A", "C1C"}));  // each change replaces the backup
  EXPECT_FALSE(dir.Has(kLogTempName));
  EXPECT_THROW(store.DeleteQSO(0), std::out_of_range);
}

TEST_F(LogStoreTest, TornTailIsSetAsideAndTheLogTrimmedToWholeRecords) {
  std::string tail = EncodeQSO(Qso("TORN")).substr(0, 100);
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}) + tail);

  LogLoadReport report = store.LoadLog();
  EXPECT_EQ(Calls(store), "A1A B1B ");
  EXPECT_EQ(report.torn_bytes, 100u);
  EXPECT_EQ(report.torn_copy, kTornTailName);
  EXPECT_EQ(dir.Read(kTornTailName), tail);

  store.AppendQSO(Qso("C1C"));
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
    store.LoadLog();
    fs.before = [&](const std::string& op, const std::string&) {
      if (op == step)
        throw IoError("simulated crash");
    };
    EXPECT_THROW(store.DeleteQSO(0), IoError);
    EXPECT_EQ(store.QSOLog().size(), 3u);  // memory still agrees with the file

    fs.before = nullptr;
    LogStore restarted(fs, dir.path());
    EXPECT_EQ(restarted.LoadLog().torn_bytes, 0u);
    EXPECT_EQ(Calls(restarted), "A1A B1B C1C ");
    // The next delete gets past whatever the crash left behind.
    restarted.DeleteQSO(0);
    EXPECT_EQ(dir.Read(kLogFileName), FileOf({"B1B", "C1C"}));
  }
}

TEST_F(LogStoreTest, FailedAppendLeavesNoPartialRecord) {
  dir.Write(kLogFileName, FileOf({"A1A"}));
  store.LoadLog();
  fs.before = [&](const std::string& op, const std::string& path) {
    if (op == "write-at") {
      std::ofstream(path, std::ios::binary | std::ios::app) << "half a record";
      throw IoError("disk full");
    }
  };
  EXPECT_THROW(store.AppendQSO(Qso("B1B")), IoError);
  EXPECT_EQ(store.QSOLog().size(), 1u);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A"}));

  fs.before = nullptr;
  store.AppendQSO(Qso("C1C"));
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "C1C"}));
}

TEST_F(LogStoreTest, MissingLogIsCreatedButAnUnreadableOneNeverReplaced) {
  store.LoadLog();
  EXPECT_TRUE(dir.Has(kLogFileName) && dir.Read(kLogFileName).empty());

  dir.Write(kLogFileName, FileOf({"A1A"}));
  fs.unreadable = true;
  EXPECT_THROW(store.LoadLog(), IoError);
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A"}));
}

TEST_F(LogStoreTest, NoChangeBeforeTheFileIsLoadedAndAMissingFileComesBackWhole) {
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}));
  try {
    store.AppendQSO(Qso("C1C"));
    ADD_FAILURE() << "appended to a log never loaded";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "The log file " + (dir / kLogFileName) +
                                         " is not loaded, so the log cannot be changed");
  }
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B"}));

  store.LoadLog();
  std::filesystem::remove(dir / kLogFileName);
  store.AppendQSO(Qso("C1C"));
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B", "C1C"}));
}

/// Every change of the log file, each after loading a log of A1A, B1B and C1C.
const std::vector<std::pair<const char*, std::function<void(LogStore&)>>> kChanges = {
    {"append", [](LogStore& s) { s.AppendQSO(Qso("D1D")); }},
    {"rewrite", [](LogStore& s) { s.RewriteQSO(0, Qso("X1X")); }},
    {"delete", [](LogStore& s) { s.DeleteQSO(0); }},
    {"clear", [](LogStore& s) { s.ClearLog(); }},
    {"save all",
     [](LogStore& s) {
       s.ForgetInMemory();
       s.AddInMemory(Qso("E1E"));
       s.SaveAll();
     }},
};

std::filesystem::perms PermsOf(const std::string& path) {
  return std::filesystem::status(path).permissions();
}

TEST_F(LogStoreTest, ReadOnlyLogIsRefusedByEveryChange) {
  const std::string log = dir / kLogFileName;
  for (const auto& [name, change] : kChanges) {
    SCOPED_TRACE(name);
    dir.Write(kLogFileName, FileOf({"A1A", "B1B", "C1C"}));
    std::filesystem::permissions(log,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    std::filesystem::perms perms = PermsOf(log);
    store.LoadLog();
    try {
      change(store);
      ADD_FAILURE() << "changed";
    } catch (const IoError& e) {
      EXPECT_EQ(std::string(e.what()),
                "The log file " + log + " is read-only, so the log cannot be changed");
    }
    EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B", "C1C"}));
    EXPECT_EQ(PermsOf(log), perms);
    EXPECT_FALSE(dir.Has(kLogBackupName));
    std::filesystem::remove(log);
  }
}

// A log linked from the working folder is rewritten where it lies, so the link stays; a
// rewrite keeps the file's permissions, and the backup holds the bytes, not the link.
TEST_F(LogStoreTest, RewritesKeepTheLinkAndThePermissions) {
  namespace fsys = std::filesystem;
  struct Row {
    bool linked;
    fsys::perms perms;
  };
  for (Row row : {Row{false, fsys::perms(0600)}, Row{true, fsys::perms(0640)}}) {
    for (const auto& [name, change] : kChanges) {
      SCOPED_TRACE(std::string(name) + (row.linked ? " linked" : " plain"));
      TestDir root;
      fsys::create_directories(root / "work");
      fsys::create_directories(root / "logs");
      std::string file = row.linked ? root / "logs/contest.dat" : root / "work/mrvtest.dat";
      std::ofstream(file, std::ios::binary) << FileOf({"A1A", "B1B", "C1C"});
      fsys::permissions(file, row.perms);
      if (row.linked)
        fsys::create_symlink("../logs/contest.dat", root / "work/mrvtest.dat");

      LogStore linked(fs, root / "work");
      linked.LoadLog();
      change(linked);
      EXPECT_EQ(fsys::is_symlink(root / "work/mrvtest.dat"), row.linked);
      std::ifstream in(file, std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), MemoryOf(linked));
      EXPECT_EQ(PermsOf(file), row.perms);
      EXPECT_FALSE(fsys::exists(root / "logs/mrvtest.new") ||
                   fsys::exists(root / "work/mrvtest.new"));
      if (fsys::exists(root / "work/mrvtest.old")) {
        EXPECT_FALSE(fsys::is_symlink(root / "work/mrvtest.old"));
        EXPECT_EQ(root.Read("work/mrvtest.old"), FileOf({"A1A", "B1B", "C1C"}));
      }
    }
  }
}

// Memory holds the file's own bytes after every kind of change, including texts cut to their
// fields and a torn tail cut off.
TEST_F(LogStoreTest, MemoryKeepsTheFileBytesThroughEveryChange) {
  TQSOData long_texts = Qso("LONGCALL1234567");
  long_texts.Note = std::string(140, 'n');
  long_texts.Mode = "PSK31";
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}) + "torn");
  store.LoadLog();
  std::vector<std::function<void()>> steps = {
      [&] { store.AppendQSO(long_texts); },
      [&] { store.AppendQSO(Qso("C1C")); },
      [&] { store.RewriteQSO(0, long_texts); },
      [&] { store.RewriteQSO(3, Qso("D1D")); },
      [&] { store.DeleteQSO(0); },
      [&] { store.DeleteQSO(2); },
      [&] { store.DeleteQSO(0); },
      [&] {
        store.ForgetInMemory();
        store.AddInMemory(Qso("E1E"));
        store.AddInMemory(long_texts);
        store.SaveAll();
      },
      [&] { store.ClearLog(); },
      [&] { store.AppendQSO(Qso("F1F")); },
  };
  EXPECT_EQ(MemoryOf(store), dir.Read(kLogFileName));
  for (std::size_t i = 0; i < steps.size(); ++i) {
    steps[i]();
    EXPECT_EQ(MemoryOf(store), dir.Read(kLogFileName)) << "step " << i;
    LogStore reloaded(fs, dir.path());
    reloaded.LoadLog();
    EXPECT_EQ(Calls(reloaded), Calls(store)) << "step " << i;
  }
  EXPECT_EQ(Calls(store), "F1F ");
}

// The indexes behind the worked-calls list and the hour bonus follow every change of the log.
TEST_F(LogStoreTest, CallIndexAndHourIndexFollowAppendRewriteAndDelete) {
  auto qso = [](std::string call, std::string time, std::string rcvd) {
    TQSOData q = Qso(call);
    q.QSOTime = time;
    q.NumberRcvd = rcvd;
    return q;
  };
  store.LoadLog();
  store.AppendQSO(qso("DL1ABC", "12:05", "3"));
  store.AppendQSO(qso("DL1ABC", "13:10", "4"));
  store.AppendQSO(qso("ADL1X", "12:30", "5"));
  store.AppendQSO(qso("K1DL", "14:00", ""));
  using Calls = std::vector<std::string>;
  auto containing = [&](std::string_view text) {
    Calls calls;
    for (const CallQsos* c : store.CallsContaining(text))
      calls.push_back(c->call);
    return calls;
  };
  EXPECT_EQ(containing("DL"), (Calls{"ADL1X", "DL1ABC", "K1DL"}));
  EXPECT_EQ(containing(""), Calls{});
  EXPECT_TRUE(store.HasQsoInHour("12", '3'));
  EXPECT_FALSE(store.HasQsoInHour("12", '4'));

  store.RewriteQSO(0, qso("DL1ABC", "15:00", "3"));
  EXPECT_FALSE(store.HasQsoInHour("12", '3'));
  EXPECT_TRUE(store.HasQsoInHour("15", '3'));
  store.RewriteQSO(2, qso("F5XX", "12:30", "5"));
  EXPECT_EQ(containing("X"), (Calls{"F5XX"}));

  store.DeleteQSO(1);
  EXPECT_FALSE(store.HasQsoInHour("13", '4'));
  EXPECT_EQ(store.QsosOfCall("DL1ABC").size(), 1u);
  EXPECT_EQ(containing("DL"), (Calls{"DL1ABC", "K1DL"}));
}

/// Files in memory, in the folder "log", whose operations fail as a folder without write
/// permission, a full disk or an immutable file make them fail.
class FailingFileSystem : public mirva_fuzz::MemoryFileSystem {
 public:
  bool read_only_folder = false;    ///< no file can be created, renamed or removed
  bool disk_full = false;           ///< a write that needs room creates its file, then fails
  std::set<std::string> immutable;  ///< files that can be neither changed nor removed

  void WriteFile(const std::string& p, std::string_view b) override {
    Change(p);
    Create(p);
    if (disk_full) {
      files[p].clear();
      throw IoError("No space left on device");
    }
    MemoryFileSystem::WriteFile(p, b);
  }
  void Append(const std::string& p, std::string_view b) override {
    Change(p);
    Create(p);
    if (disk_full)
      throw IoError("No space left on device");
    MemoryFileSystem::Append(p, b);
  }
  void WriteAt(const std::string& p, std::uint64_t o, std::string_view b) override {
    Change(p);
    MemoryFileSystem::WriteAt(p, o, b);
  }
  void Truncate(const std::string& p, std::uint64_t s) override {
    Change(p);
    MemoryFileSystem::Truncate(p, s);
  }
  void Rename(const std::string& f, const std::string& t) override {
    Name(f);
    Name(t);
    MemoryFileSystem::Rename(f, t);
  }
  void LinkOrCopy(const std::string& f, const std::string& t) override {
    Name(t);
    MemoryFileSystem::LinkOrCopy(f, t);
  }
  void Remove(const std::string& p) override {
    Name(p);
    MemoryFileSystem::Remove(p);
  }
  bool Exists(const std::string& p) override { return p == "log" || MemoryFileSystem::Exists(p); }

  /// The torn-tail copies by name, with their bytes.
  std::map<std::string, std::string> TornCopies() const {
    std::map<std::string, std::string> copies;
    for (const auto& [path, bytes] : files) {
      if (path.starts_with(std::string("log/") + kTornTailName))
        copies[path.substr(4)] = bytes;
    }
    return copies;
  }

 private:
  void Change(const std::string& p) {
    if (immutable.count(p))
      throw IoError("Operation not permitted: " + p);
  }
  void Create(const std::string& p) {
    if (read_only_folder && !files.count(p))
      throw IoError("Permission denied: " + p);
  }
  void Name(const std::string& p) {
    Change(p);
    if (read_only_folder)
      throw IoError("Permission denied: " + p);
  }
};

// Where a partial last record cannot be set aside, the whole records are still loaded, the
// file is left alone, the same bytes are never copied twice and every change is refused.
TEST(LogStoreTornTailTest, SetAsideOrLeaveAloneWhateverFails) {
  const std::string whole = FileOf({"A1A", "B1B"});
  const std::string tail = EncodeQSO(Qso("TORN")).substr(0, 100);
  const std::string torn2 = std::string(kTornTailName) + ".2";
  using Copies = std::map<std::string, std::string>;
  struct Case {
    const char* name;
    std::function<void(FailingFileSystem&)> fault;
    Copies before;  ///< torn-tail copies an earlier load left
    bool cut;       ///< whether the tail is cut off the log
    Copies after;   ///< the copies after two loads
  };
  const Case cases[] = {
      {"nothing fails", [](FailingFileSystem&) {}, {}, true, {{kTornTailName, tail}}},
      {"read-only folder",
       [](FailingFileSystem& fs) { fs.read_only_folder = true; },
       {},
       false,
       {}},
      {"full disk", [](FailingFileSystem& fs) { fs.disk_full = true; }, {}, false, {}},
      {"immutable log",
       [](FailingFileSystem& fs) { fs.immutable.insert(std::string("log/") + kLogFileName); },
       {},
       false,
       {{kTornTailName, tail}}},
      {"a copy of these bytes is there",
       [](FailingFileSystem&) {},
       {{kTornTailName, tail}},
       true,
       {{kTornTailName, tail}}},
      {"full disk, a copy of these bytes is there",
       [](FailingFileSystem& fs) { fs.disk_full = true; },
       {{kTornTailName, tail}},
       true,
       {{kTornTailName, tail}}},
      {"a copy of other bytes is there",
       [](FailingFileSystem&) {},
       {{kTornTailName, "other"}},
       true,
       {{kTornTailName, "other"}, {torn2, tail}}},
      {"read-only folder, a copy of these bytes is there",
       [](FailingFileSystem& fs) { fs.read_only_folder = true; },
       {{kTornTailName, tail}},
       true,
       {{kTornTailName, tail}}},
  };
  const std::string log_path = std::string("log/") + kLogFileName;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FailingFileSystem fs;
    fs.files[log_path] = whole + tail;
    for (const auto& [name, bytes] : c.before)
      fs.files["log/" + name] = bytes;
    c.fault(fs);

    LogStore first(fs, "log");
    LogLoadReport report = first.LoadLog();
    EXPECT_EQ(report.torn_bytes, tail.size());
    EXPECT_EQ(report.torn_cut, c.cut);
    EXPECT_EQ(report.set_aside_error.empty(), c.cut);
    EXPECT_EQ(Calls(first), "A1A B1B ");

    LogStore second(fs, "log");  // the next try, as long as the fault lasts
    second.LoadLog();
    EXPECT_EQ(Calls(second), "A1A B1B ");
    EXPECT_EQ(fs.TornCopies(), c.after);
    EXPECT_EQ(fs.files[log_path], c.cut ? whole : whole + tail);
    if (c.cut)
      continue;
    try {
      second.AppendQSO(Qso("C1C"));
      ADD_FAILURE() << "an append was not refused";
    } catch (const IoError& e) {
      EXPECT_NE(std::string(e.what()).find("partial record"), std::string::npos) << e.what();
    }
    EXPECT_THROW(second.DeleteQSO(0), IoError);
    EXPECT_EQ(fs.files[log_path], whole + tail);
  }
}

// A reader's load creates, copies, cuts and changes nothing, and every change is refused,
// also after the load is repeated without naming the access.
TEST(LogStoreReaderTest, ReadingChangesNoFile) {
  const std::string log_path = std::string("log/") + kLogFileName;
  FailingFileSystem fs;
  LogStore store(fs, "log");
  EXPECT_EQ(store.LoadLog(LogAccess::kRead).torn_bytes, 0u);
  EXPECT_TRUE(fs.files.empty());  // no empty log created

  fs.files[log_path] = FileOf({"A1A"}) + "torn";
  std::map<std::string, std::string> before = fs.files;
  LogLoadReport report = store.LoadLog(LogAccess::kRead);
  EXPECT_EQ(report.torn_bytes, 4u);
  EXPECT_FALSE(report.torn_cut);
  EXPECT_TRUE(report.torn_copy.empty() && report.set_aside_error.empty());
  EXPECT_EQ(Calls(store), "A1A ");
  store.LoadLog();
  EXPECT_THROW(store.RequireChangeable(), IoError);

  const std::function<void()> changes[] = {
      [&] { store.AppendQSO(Qso("B1B")); },
      [&] { store.RewriteQSO(0, Qso("B1B")); },
      [&] { store.DeleteQSO(0); },
      [&] { store.ClearLog(); },
      [&] { store.SaveAll(); },
  };
  for (const auto& change : changes)
    EXPECT_THROW(change(), IoError);
  EXPECT_EQ(fs.files, before);
  EXPECT_EQ(Calls(store), "A1A ");

  LogStore elsewhere(fs, "no-such-folder");
  EXPECT_THROW(elsewhere.LoadLog(LogAccess::kRead), IoError);
}

}  // namespace
}  // namespace mirva
