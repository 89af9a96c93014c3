// Every change of the log with a failure injected at each file operation it makes, and with
// the undo of a failed change failing too.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "error.h"
#include "failing_file_system.h"
#include "memory_file_system.h"
#include "reference_files.h"
#include "sample_qso.h"
#include "session/session.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kDir[] = "log";
const std::string kLogPath = std::string(kDir) + "/" + kLogFileName;

TQSOData Qso(std::string call, std::string band) {
  TQSOData q = TestQso(call, band);
  q.NumberRcvd = "16";
  return q;
}

/// A session of CQ WW over files in memory, its log three QSOs stored without points, so that
/// every change, the rescoring included, changes the file. Failures are counted from the end
/// of the set-up.
struct World {
  MemoryFileSystem files;
  FailingFileSystem fs{files};
  RecordingNotifier notifier;
  Session session{fs, notifier, kDir};

  World() {
    for (const auto& [name, bytes] : ReferenceFiles())
      files.files[std::string(kDir) + "/" + name] = bytes;
    files.files[kLogPath] = EncodeQSO(Qso("UA3ABC", "20")) + EncodeQSO(Qso("JA1XYZ", "20")) +
                            EncodeQSO(Qso("UA3ABC", "15"));
    session.Start();
    TStationCFG station;
    station.Call = "DL1ABC";
    FillStationFromCall(session.countries(), station.Call, station);
    session.SetStation(station);
    EXPECT_TRUE(session.SetupContest("CQ WW DX Contest (CW)"));
    fs.Reset();
  }

  std::string Log() const { return files.files.at(kLogPath); }
};

/// Every change of the log by name; each throws IoError when it failed.
const std::map<std::string, std::function<void(World&)>> kChanges = {
    {"append", [](World& w) { w.session.SaveQso(Qso("K1ABC", "40")); }},
    {"edit",
     [](World& w) {
       TQSOData q = w.session.log().QSOLog()[1];
       q.Call = "VK2XYZ";
       w.session.EditQso(1, q);
     }},
    {"delete", [](World& w) { w.session.DeleteQso(1); }},
    {"clear", [](World& w) { w.session.ClearLog(); }},
    {"rescore",
     [](World& w) {
       if (!w.session.RescoreLog())
         throw IoError(w.notifier.errors.back());
     }},
};

bool Saved(const std::function<void(World&)>& change, World& world) {
  try {
    change(world);
    return true;
  } catch (const IoError&) {
    return false;
  }
}

const char* const kOps[] = {"write", "write-at", "truncate", "rename", "link", "remove"};

TEST(LogFailureTest, AnyFailedStepLeavesFileAndMemoryAsBefore) {
  int cases = 0;
  for (const auto& [name, change] : kChanges) {
    World clean;
    std::string before = clean.Log();
    change(clean);
    ASSERT_NE(clean.Log(), before) << name;
    for (const char* op : kOps) {
      for (int nth = 1; nth <= clean.fs.Calls(op); ++nth) {
        for (Strike strike : {Strike::kBefore, Strike::kPart, Strike::kAfter}) {
          SCOPED_TRACE(name + ": " + op + " #" + std::to_string(nth) + " strike " +
                       std::to_string(static_cast<int>(strike)));
          World world;
          world.fs.Fail(op, nth, strike);
          EXPECT_FALSE(Saved(change, world));
          EXPECT_EQ(world.Log(), before);
          EXPECT_EQ(MemoryOf(world.session.log()), before);
          LogStore restarted(world.files, kDir);
          EXPECT_EQ(restarted.LoadLog().torn_bytes, 0u);
          EXPECT_EQ(MemoryOf(restarted), before);
          EXPECT_TRUE(Saved(change, world)) << "the same change again";
          EXPECT_EQ(world.Log(), clean.Log());
          ++cases;
        }
      }
    }
  }
  EXPECT_GE(cases, 30);  // every change made file calls that could fail
}

struct Fault {
  const char* op;
  int nth;
  Strike strike;
};

// The change fails and so does the undo that would put the file back: the log takes no
// change at all until it is loaded again, and then nothing saved is lost.
TEST(LogFailureTest, AFailedUndoStopsEveryChangeUntilTheLogIsLoadedAgain) {
  struct Row {
    const char* change;
    std::vector<Fault> faults;
  };
  const Row rows[] = {
      {"append", {{"write-at", 1, Strike::kPart}, {"truncate", 1, Strike::kBefore}}},
      {"append", {{"write-at", 1, Strike::kAfter}, {"truncate", 1, Strike::kAfter}}},
      {"edit", {{"write-at", 1, Strike::kPart}, {"write-at", 2, Strike::kBefore}}},
      {"delete", {{"rename", 1, Strike::kAfter}, {"write", 2, Strike::kBefore}}},
      {"clear", {{"rename", 1, Strike::kAfter}, {"rename", 2, Strike::kBefore}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.change);
    World world;
    for (const Fault& fault : row.faults)
      world.fs.Fail(fault.op, fault.nth, fault.strike);
    try {
      kChanges.at(row.change)(world);
      ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
      EXPECT_NE(std::string(e.what()).find(kLogPath + " could not be put back"), std::string::npos)
          << e.what();
    }

    auto files = world.files.files;
    for (const auto& [name, change] : kChanges) {
      SCOPED_TRACE(name);
      try {
        change(world);
        ADD_FAILURE() << "taken";
      } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find(kLogPath + " may hold part of a change"),
                  std::string::npos)
            << e.what();
      }
    }
    EXPECT_EQ(world.files.files, files);

    world.session.Start();
    std::size_t loaded = world.session.log().QSOLog().size();
    world.session.SaveQso(Qso("K1ABC", "40"));
    LogStore restarted(world.files, kDir);
    EXPECT_EQ(restarted.LoadLog().torn_bytes, 0u);
    EXPECT_EQ(MemoryOf(restarted), MemoryOf(world.session.log()));
    ASSERT_EQ(restarted.QSOLog().size(), loaded + 1);
    EXPECT_EQ(restarted.QSOLog().back().Call, "K1ABC");
  }
}

}  // namespace
}  // namespace mirva
