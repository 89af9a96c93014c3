#include "log/log_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "error.h"
#include "memory_file_system.h"
#include "sample_qso.h"
#include "test_dir.h"

namespace mirva {
namespace {

std::string FileOf(std::initializer_list<std::string> calls) {
  std::string bytes;
  for (const std::string& c : calls)
    bytes += EncodeQSO(TestQso(c));
  return bytes;
}

// The callsigns of the log in order, each followed by a blank.
std::string Calls(const LogStore& store) {
  std::string calls;
  for (const TQSOData& q : store.QSOLog())
    calls += q.Call + " ";
  return calls;
}

struct LogStoreTest : ::testing::Test {
  TestDir dir;
  FaultyFileSystem fs;
  LogStore store{fs, dir.path()};
};

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
    store.AppendQSO(TestQso("C1C"));
    ADD_FAILURE() << "appended to a log never loaded";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "The log file " + (dir / kLogFileName) +
                                         " is not loaded, so the log cannot be changed");
  }
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B"}));

  store.LoadLog();
  std::filesystem::remove(dir / kLogFileName);
  store.AppendQSO(TestQso("C1C"));
  EXPECT_EQ(dir.Read(kLogFileName), FileOf({"A1A", "B1B", "C1C"}));
}

/// Every change of the log file, each after loading a log of A1A, B1B and C1C.
const std::vector<std::pair<const char*, std::function<void(LogStore&)>>> kChanges = {
    {"append", [](LogStore& s) { s.AppendQSO(TestQso("D1D")); }},
    {"rewrite", [](LogStore& s) { s.RewriteQSO(0, TestQso("X1X")); }},
    {"delete", [](LogStore& s) { s.DeleteQSO(0); }},
    {"clear", [](LogStore& s) { s.ClearLog(); }},
    {"save all",
     [](LogStore& s) {
       s.ForgetInMemory();
       s.AddInMemory(TestQso("E1E"));
       s.SaveAll();
     }},
};

// A log linked from the working folder is rewritten where it lies, so the link stays; a
// rewrite keeps the file's permissions and the backup holds the bytes, not the link. A
// read-only log, linked or not, is refused and left as it was.
TEST_F(LogStoreTest, ChangesKeepTheLinkAndThePermissionsAndRefuseAReadOnlyLog) {
  namespace fsys = std::filesystem;
  const std::string three = FileOf({"A1A", "B1B", "C1C"});
  for (bool linked : {false, true}) {
    for (fsys::perms perms : {fsys::perms(0640), fsys::perms(0444)}) {
      for (const auto& [name, change] : kChanges) {
        const bool read_only = perms == fsys::perms(0444);
        SCOPED_TRACE(std::string(name) + (linked ? " linked" : "") +
                     (read_only ? " read-only" : ""));
        TestDir root;
        fsys::create_directories(root / "work");
        fsys::create_directories(root / "logs");
        const std::string shown = root / "work/mrvtest.dat";
        const std::string file = linked ? root / "logs/contest.dat" : shown;
        std::ofstream(file, std::ios::binary) << three;
        fsys::permissions(file, perms);
        if (linked)
          fsys::create_symlink("../logs/contest.dat", shown);

        LogStore log(fs, root / "work");
        log.LoadLog();
        try {
          change(log);
          EXPECT_FALSE(read_only) << "changed";
        } catch (const IoError& e) {
          EXPECT_EQ(std::string(e.what()),
                    "The log file " + shown + " is read-only, so the log cannot be changed");
        }
        EXPECT_EQ(fsys::is_symlink(shown), linked);
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  read_only ? three : MemoryOf(log));
        EXPECT_EQ(fsys::status(file).permissions(), perms);
        EXPECT_FALSE(fsys::exists(root / "logs/mrvtest.new") ||
                     fsys::exists(root / "work/mrvtest.new"));
        if (fsys::exists(root / "work/mrvtest.old")) {
          EXPECT_FALSE(read_only || fsys::is_symlink(root / "work/mrvtest.old"));
          EXPECT_EQ(root.Read("work/mrvtest.old"), three);
        }
      }
    }
  }
}

// After every kind of change memory holds the file's bytes (texts cut to their fields, a torn
// tail cut off), a reload gives the same log and a delete or clear keeps the file as backup.
TEST_F(LogStoreTest, FileMemoryAndAReloadAgreeAfterEveryChange) {
  TQSOData long_texts = TestQso("LONGCALL1234567");
  long_texts.Note = std::string(140, 'n');
  long_texts.Mode = "PSK31";
  const std::string lc = "LONGCALL1234 ";
  struct Step {
    std::function<void()> change;
    std::string calls;  ///< the log after the change
    bool backup;        ///< whether the file before the change is kept as backup
  };
  const Step steps[] = {
      {[&] { store.AppendQSO(long_texts); }, "A1A B1B " + lc, false},
      {[&] { store.AppendQSO(TestQso("C1C")); }, "A1A B1B " + lc + "C1C ", false},
      {[&] { store.RewriteQSO(0, long_texts); }, lc + "B1B " + lc + "C1C ", false},
      {[&] { store.RewriteQSO(3, TestQso("D1D")); }, lc + "B1B " + lc + "D1D ", false},
      {[&] { store.DeleteQSO(1); }, lc + lc + "D1D ", true},
      {[&] { store.DeleteQSO(2); }, lc + lc, true},
      {[&] { store.DeleteQSO(0); }, lc, true},
      {[&] {
         store.ForgetInMemory();
         store.AddInMemory(TestQso("E1E"));
         store.AddInMemory(long_texts);
         store.SaveAll();
       },
       "E1E " + lc, false},
      {[&] { store.ClearLog(); }, "", true},
      {[&] { store.AppendQSO(TestQso("F1F")); }, "F1F ", false},
  };
  dir.Write(kLogFileName, FileOf({"A1A", "B1B"}) + "torn");
  store.LoadLog();
  EXPECT_EQ(MemoryOf(store), dir.Read(kLogFileName));
  for (const Step& step : steps) {
    SCOPED_TRACE(step.calls);
    std::string before = dir.Read(kLogFileName);
    step.change();
    EXPECT_EQ(Calls(store), step.calls);
    EXPECT_EQ(MemoryOf(store), dir.Read(kLogFileName));
    if (step.backup) {
      EXPECT_EQ(dir.Read(kLogBackupName), before);
    }
    EXPECT_FALSE(dir.Has(kLogTempName));
    LogStore reloaded(fs, dir.path());
    reloaded.LoadLog();
    EXPECT_EQ(Calls(reloaded), step.calls);
  }
  EXPECT_THROW(store.RewriteQSO(1, TestQso("Y")), std::out_of_range);
  EXPECT_THROW(store.DeleteQSO(1), std::out_of_range);
}

// The indexes behind the worked-calls list and the hour bonus follow every change of the log.
TEST_F(LogStoreTest, CallIndexAndHourIndexFollowAppendRewriteAndDelete) {
  auto qso = [](std::string call, std::string time, std::string rcvd) {
    TQSOData q = TestQso(call);
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

/// The torn-tail copies in the folder "log", by name, with their bytes.
std::map<std::string, std::string> TornCopies(const MemoryFileSystem& fs) {
  std::map<std::string, std::string> copies;
  for (const auto& [path, bytes] : fs.files) {
    if (path.starts_with(std::string("log/") + kTornTailName))
      copies[path.substr(4)] = bytes;
  }
  return copies;
}

// Where a partial last record cannot be set aside, the whole records are still loaded, the
// file is left alone, the same bytes are never copied twice and every change is refused.
TEST(LogStoreTornTailTest, SetAsideOrLeaveAloneWhateverFails) {
  const std::string whole = FileOf({"A1A", "B1B"});
  const std::string tail = EncodeQSO(TestQso("TORN")).substr(0, 100);
  const std::string torn2 = std::string(kTornTailName) + ".2";
  using Copies = std::map<std::string, std::string>;
  using Faults = std::vector<std::pair<std::string, Strike>>;
  const Faults read_only_folder = {{"write", Strike::kBefore}, {"remove", Strike::kBefore}};
  const Faults full_disk = {{"write", Strike::kPart}};
  struct Case {
    const char* name;
    Faults faults;  ///< failing for every call
    Copies before;  ///< torn-tail copies an earlier load left
    bool cut;       ///< whether the tail is cut off the log
    Copies after;   ///< the copies after two loads
  };
  const Case cases[] = {
      {"nothing fails", {}, {}, true, {{kTornTailName, tail}}},
      {"read-only folder", read_only_folder, {}, false, {}},
      {"full disk", full_disk, {}, false, {}},
      {"log cannot be cut", {{"truncate", Strike::kBefore}}, {}, false, {{kTornTailName, tail}}},
      {"a copy of these bytes is there",
       {},
       {{kTornTailName, tail}},
       true,
       {{kTornTailName, tail}}},
      {"full disk, a copy of these bytes is there",
       full_disk,
       {{kTornTailName, tail}},
       true,
       {{kTornTailName, tail}}},
      {"read-only folder, a copy of these bytes is there",
       read_only_folder,
       {{kTornTailName, tail}},
       true,
       {{kTornTailName, tail}}},
      {"a copy of other bytes is there",
       {},
       {{kTornTailName, "other"}},
       true,
       {{kTornTailName, "other"}, {torn2, tail}}},
  };
  const std::string log_path = std::string("log/") + kLogFileName;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem files;
    files.files[log_path] = whole + tail;
    for (const auto& [name, bytes] : c.before)
      files.files["log/" + name] = bytes;
    FailingFileSystem fs(files);
    for (const auto& [op, strike] : c.faults)
      fs.Fail(op, 0, strike);

    LogStore first(fs, "log");
    LogLoadReport report = first.LoadLog();
    EXPECT_EQ(report.torn_bytes, tail.size());
    EXPECT_EQ(report.torn_cut, c.cut);
    EXPECT_EQ(report.set_aside_error.empty(), c.cut);
    EXPECT_EQ(Calls(first), "A1A B1B ");

    LogStore second(fs, "log");  // the next try, as long as the fault lasts
    second.LoadLog();
    EXPECT_EQ(Calls(second), "A1A B1B ");
    EXPECT_EQ(TornCopies(files), c.after);
    if (c.cut) {
      EXPECT_EQ(c.after.at(report.torn_copy), tail);
      second.AppendQSO(TestQso("C1C"));
      EXPECT_EQ(files.files[log_path], FileOf({"A1A", "B1B", "C1C"}));
      continue;
    }
    try {
      second.AppendQSO(TestQso("C1C"));
      ADD_FAILURE() << "an append was not refused";
    } catch (const IoError& e) {
      EXPECT_NE(std::string(e.what()).find("partial record"), std::string::npos) << e.what();
    }
    EXPECT_THROW(second.DeleteQSO(0), IoError);
    EXPECT_EQ(files.files[log_path], whole + tail);
  }
}

// A reader's load creates, copies, cuts and changes nothing, and every change is refused,
// also after the load is repeated without naming the access.
TEST(LogStoreReaderTest, ReadingChangesNoFile) {
  const std::string log_path = std::string("log/") + kLogFileName;
  MemoryFileSystem fs;
  fs.files["log"];  // the folder
  LogStore store(fs, "log");
  EXPECT_EQ(store.LoadLog(LogAccess::kRead).torn_bytes, 0u);
  EXPECT_FALSE(fs.Exists(log_path));

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
      [&] { store.AppendQSO(TestQso("B1B")); },
      [&] { store.RewriteQSO(0, TestQso("B1B")); },
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
