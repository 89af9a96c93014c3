#include "group/group_sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "error.h"
#include "recording_notifier.h"
#include "reference_files.h"
#include "sample_qso.h"
#include "session/session.h"
#include "test_dir.h"

namespace mirva {
namespace {

/// A broker in memory: a stream that drops a repeated message id, can be cut off, and can
/// lose its store.
class MemoryBroker : public GroupTransport {
 public:
  uint64_t Publish(const std::string& id, const std::string& bytes) override {
    Reach();
    if (auto seen = ids_.find(id); seen != ids_.end())
      return seen->second;
    stream.push_back({stream.size() + 1, bytes});
    ids_[id] = stream.size();
    return stream.size();
  }
  std::vector<GroupMessage> Fetch(uint64_t after, std::size_t max) override {
    Reach();
    std::vector<GroupMessage> found;
    for (uint64_t s = after; s < stream.size() && found.size() < max; ++s)
      found.push_back(stream[s]);
    return found;
  }
  uint64_t LastSequence() override {
    Reach();
    return stream.size();
  }
  /// Stores the bytes as another program might, with no id.
  void Inject(std::string bytes) { stream.push_back({stream.size() + 1, std::move(bytes)}); }
  void LoseStore() {
    stream.clear();
    ids_.clear();
  }

  std::vector<GroupMessage> stream;
  bool down = false;

 private:
  void Reach() {
    if (down)
      throw GroupError("The group's broker cannot be reached");
  }
  std::map<std::string, uint64_t> ids_;
};

/// One station of the group: a log in a folder of its own and its sync.
struct Station {
  Station(std::string station, MemoryBroker& group) : name(std::move(station)), broker(group) {
    CopyReferenceFiles(dir.path());
    session.Start();
    Reopen();
  }
  /// A new sync on the same folder, as after a restart.
  void Reopen() {
    sync.reset();
    sync = std::make_unique<GroupSync>(session, fs, dir.path(), name, broker);
  }
  void Save(const std::string& call, const std::string& time = "12:00") {
    session.SaveQso(TestQso(call, "20", time));
    sync->RecordLocalChanges();
  }
  std::size_t IndexOf(const std::string& call) const {
    const QsoLog log = session.log().QSOLog();
    for (std::size_t i = 0; i < log.size(); ++i) {
      if (log[i].Call == call)
        return i;
    }
    ADD_FAILURE() << call << " is not in the log of " << name;
    return 0;
  }
  void Edit(const std::string& call, const std::string& note) {
    TQSOData q = session.log().QSOLog()[IndexOf(call)];
    q.Note = note;
    session.EditQso(IndexOf(call), q);
  }
  /// The callsigns and notes of the log, sorted: the set of QSOs it holds.
  std::vector<std::string> Qsos() const {
    std::vector<std::string> qsos;
    for (const TQSOData& q : session.log().QSOLog())
      qsos.push_back(q.Call + " " + q.Note);
    std::sort(qsos.begin(), qsos.end());
    return qsos;
  }

  std::string name;
  MemoryBroker& broker;
  TestDir dir;
  FaultyFileSystem fs;
  RecordingNotifier notifier;
  Session session{fs, notifier, dir.path()};
  std::unique_ptr<GroupSync> sync;
};

using Calls = std::vector<std::string>;

struct GroupSyncTest : ::testing::Test {
  MemoryBroker broker;
  Station a{"alpha", broker};
  Station b{"bravo", broker};

  void Settle() {
    for (Station* s : {&a, &b, &a})
      s->sync->Exchange();
  }
};

TEST_F(GroupSyncTest, NewEditedAndDeletedQsosReachTheOtherStation) {
  a.Save("UA1AA");  // before the station joined
  a.Save("UA2BB");
  b.Save("UA3CC");
  Settle();
  EXPECT_EQ(a.Qsos(), (Calls{"UA1AA ", "UA2BB ", "UA3CC "}));
  EXPECT_EQ(b.Qsos(), a.Qsos());
  // The station's own QSOs stay in its own order, the others' come after.
  EXPECT_EQ(b.session.log().QSOLog()[0].Call, "UA3CC");

  a.Edit("UA1AA", "edited");
  b.session.DeleteQso(b.IndexOf("UA2BB"));
  b.Edit("UA3CC", "mine");
  Settle();
  EXPECT_EQ(a.Qsos(), (Calls{"UA1AA edited", "UA3CC mine"}));
  EXPECT_EQ(b.Qsos(), a.Qsos());
  EXPECT_EQ(a.sync->Pending() + b.sync->Pending(), 0u);

  GroupSyncSummary quiet = a.sync->Exchange();
  EXPECT_EQ(quiet.sent + quiet.applied, 0u);
}

TEST_F(GroupSyncTest, AChangeReceivedTwiceChangesNothing) {
  a.Save("UA1AA");
  Settle();
  a.Edit("UA1AA", "second");
  a.sync->Exchange();
  // Every message again, as a broker that forgot its ids would keep them.
  for (GroupMessage m : std::vector<GroupMessage>(broker.stream))
    broker.Inject(m.bytes);
  GroupSyncSummary summary = b.sync->Exchange();
  EXPECT_EQ(summary.applied, 1u);
  EXPECT_EQ(b.Qsos(), (Calls{"UA1AA second"}));
  EXPECT_EQ(b.session.log().QSOLog().size(), 1u);
}

TEST_F(GroupSyncTest, ConflictingEditsEndTheSameEverywhereAndTheLoserIsReported) {
  a.Save("UA1AA");
  Settle();
  a.Edit("UA1AA", "by alpha");
  b.Edit("UA1AA", "by bravo");
  a.sync->Exchange();
  GroupSyncSummary at_b = b.sync->Exchange();  // later in the stream: bravo's wins
  GroupSyncSummary at_a = a.sync->Exchange();
  EXPECT_EQ(a.Qsos(), (Calls{"UA1AA by bravo"}));
  EXPECT_EQ(b.Qsos(), a.Qsos());
  for (const GroupSyncSummary& s : {at_a, at_b}) {
    ASSERT_EQ(s.conflicts.size(), 1u);
    EXPECT_EQ(s.conflicts[0].loser, "alpha");
    EXPECT_EQ(s.conflicts[0].winner, "bravo");
  }
  for (Station* s : {&a, &b})
    EXPECT_NE(s->dir.Read(kGroupConflictsFileName).find("by alpha"), std::string::npos);
}

TEST(GroupSyncStaleEditTest, AnEditOverTakenByALaterRevisionIsReportedEverywhere) {
  MemoryBroker broker;
  Station a{"alpha", broker};
  Station b{"bravo", broker};
  Station c{"charlie", broker};
  a.Save("UA1AA");
  for (Station* s : {&a, &b, &c})
    s->sync->Exchange();
  // alpha edits while away; meanwhile bravo edits and charlie edits bravo's version.
  a.Edit("UA1AA", "by alpha");
  b.Edit("UA1AA", "by bravo");
  b.sync->Exchange();
  c.sync->Exchange();
  c.Edit("UA1AA", "by charlie");
  c.sync->Exchange();
  for (Station* s : {&a, &b, &c}) {
    s->sync->Exchange();
    EXPECT_EQ(s->Qsos(), (Calls{"UA1AA by charlie"})) << s->name;
    EXPECT_NE(s->dir.Read(kGroupConflictsFileName).find("by alpha"), std::string::npos) << s->name;
  }
}

TEST(GroupSyncDeleteTest, ADeleteAndAnEditOfOneRevisionSettleByTheStream) {
  // alpha deletes the QSO while bravo edits it; the one that reaches the broker later wins.
  for (bool delete_later : {true, false}) {
    MemoryBroker broker;
    Station a{"alpha", broker};
    Station b{"bravo", broker};
    a.Save("UA1AA");
    for (Station* s : {&a, &b})
      s->sync->Exchange();
    b.Edit("UA1AA", "edited");
    a.session.DeleteQso(0);
    Station& first = delete_later ? b : a;
    Station& second = delete_later ? a : b;
    for (Station* s : {&first, &second, &first})
      s->sync->Exchange();
    Calls kept = delete_later ? Calls{} : Calls{"UA1AA edited"};
    EXPECT_EQ(a.Qsos(), kept) << delete_later;
    EXPECT_EQ(b.Qsos(), kept) << delete_later;
    std::string lost = delete_later ? "edited" : "deleted";
    for (Station* s : {&a, &b})
      EXPECT_NE(s->dir.Read(kGroupConflictsFileName).find(lost), std::string::npos) << s->name;
  }
}

// A new stream that has grown past what was seen already (an empty one is cli/group.sh's).
TEST(GroupSyncLostStoreTest, ABrokerThatLostItsStoreGetsTheHistoryAgain) {
  MemoryBroker broker;
  Station a{"alpha", broker};
  Station b{"bravo", broker};
  a.Save("UA1AA");
  b.Save("UA3CC");
  for (Station* s : {&a, &b, &a})
    s->sync->Exchange();
  b.session.DeleteQso(b.IndexOf("UA1AA"));
  for (Station* s : {&b, &a})
    s->sync->Exchange();
  broker.LoseStore();
  for (int i = 0; i < 20; ++i)
    broker.Inject("from elsewhere");
  EXPECT_TRUE(a.sync->Exchange().republished);
  EXPECT_TRUE(b.sync->Exchange().republished);
  EXPECT_EQ(a.Qsos(), (Calls{"UA3CC "}));
  EXPECT_EQ(b.Qsos(), a.Qsos());
  Station c{"charlie", broker};
  c.sync->Exchange();
  EXPECT_EQ(c.Qsos(), a.Qsos());
}

TEST(GroupSyncLostStoreTest, AVersionSentAgainAfterItsEditIsNoConflict) {
  // alpha had not seen bravo's last edit when the broker lost its store: its history comes
  // after bravo's, with the QSO as logged, or as bravo edited it first.
  for (bool first_edit_seen : {false, true}) {
    MemoryBroker broker;
    Station a{"alpha", broker};
    Station b{"bravo", broker};
    a.Save("UA1AA");
    for (Station* s : {&a, &b, &a})
      s->sync->Exchange();
    if (first_edit_seen) {
      b.Edit("UA1AA", "first");
      for (Station* s : {&b, &a})
        s->sync->Exchange();
    }
    b.Edit("UA1AA", "by bravo");
    b.sync->Exchange();
    broker.LoseStore();
    for (Station* s : {&b, &a, &b})
      EXPECT_TRUE(s->sync->Exchange().conflicts.empty()) << s->name << " " << first_edit_seen;
    EXPECT_EQ(a.Qsos(), (Calls{"UA1AA by bravo"})) << first_edit_seen;
    EXPECT_EQ(b.Qsos(), a.Qsos()) << first_edit_seen;
  }
}

TEST_F(GroupSyncTest, MalformedMessagesAreSkippedAndTheLogIsUntouched) {
  broker.Inject("garbage");
  broker.Inject(std::string(5000, 'x'));
  GroupChange odd;
  odd.station = "zulu";
  odd.number = 1;
  odd.revision = 1;
  odd.editor = "zulu";
  odd.record = TestQso("UA9ZZ", "no band");
  broker.Inject(EncodeChange(odd));
  a.Save("UA1AA");
  a.sync->Exchange();
  GroupSyncSummary summary = b.sync->Exchange();
  EXPECT_EQ(summary.skipped, 3u);
  EXPECT_EQ(summary.skip_reasons.size(), 3u);
  EXPECT_EQ(b.Qsos(), (Calls{"UA1AA "}));
}

TEST_F(GroupSyncTest, TheOutboxSurvivesARestartAndIsSentOnReconnect) {
  a.sync->Exchange();
  broker.down = true;
  a.Save("UA1AA");
  EXPECT_THROW(a.sync->Exchange(), GroupError);
  // A change cut off while it was appended is dropped; the scan finds it again.
  std::string outbox = a.dir.Read(kGroupOutboxFileName);
  a.dir.Write(kGroupOutboxFileName, outbox + "300\nMIRVA-GROUP 1 U");
  a.Reopen();
  EXPECT_EQ(a.sync->Pending(), 1u);
  broker.down = false;
  EXPECT_EQ(a.sync->Exchange().sent, 1u);
  b.sync->Exchange();
  EXPECT_EQ(b.Qsos(), (Calls{"UA1AA "}));
}

TEST_F(GroupSyncTest, ACrashWhileApplyingIsNotTakenForALocalChange) {
  struct Case {
    const char* name;
    bool at_log;  ///< the crash comes as the log is written, or after, with the side file
    std::string call;
  };
  const Case cases[] = {
      {"while the log is written", true, "UA2BB"},
      {"after the log, before the side file", false, "UA2CC"},
  };
  a.Save("UA1AA");
  Settle();
  for (const Case& c : cases) {
    a.Edit("UA1AA", c.name);
    a.Save(c.call);
    a.sync->Exchange();
    bool log_written = false;
    b.fs.before = [&](const std::string& op, const std::string& path) {
      bool log = path.find("mrvtest") != std::string::npos;
      if (c.at_log
              ? log
              : log_written && op == "rename" && path.find(kGroupIdsFileName) != std::string::npos)
        throw IoError("the power went off");
      log_written = log_written || log;
    };
    EXPECT_THROW(b.sync->Exchange(), IoError) << c.name;
    b.fs.before = nullptr;
    b.Reopen();
    b.sync->Exchange();
    EXPECT_EQ(b.Qsos(), a.Qsos()) << c.name;
    for (const GroupMessage& m : broker.stream)
      EXPECT_EQ(DecodeChange(m.bytes).change->editor, "alpha") << c.name;
  }
}

TEST(GroupSyncCrashTest, WhatTheOperatorDoesAfterACrashInABatchIsKeptOnce) {
  struct Case {
    const char* name;
    std::vector<const char*> arriving;
    bool log_written;  ///< the crash comes after the log was written, or as it is
    std::function<void(Station&)> change;
    Calls qsos;
  };
  const Case cases[] = {
      {"an arrived QSO edited",
       {"UA1AA", "UA2BB"},
       true,
       [](Station& s) { s.Edit("UA1AA", "edited"); },
       {"UA1AA edited", "UA2BB "}},
      {"as many QSOs logged as arrived",
       {"UA1AA", "UA2BB"},
       false,
       [](Station& s) {
         for (const char* call : {"UA8YY", "UA9ZZ"})
           s.session.SaveQso(TestQso(call, "20", "12:00"));
       },
       {"UA1AA ", "UA2BB ", "UA8YY ", "UA9ZZ "}},
      // With one QSO nothing in the log tells the two apart: a writer settles the side file
      // before it changes the log, as mirva-cli's commands do.
      {"the one arrived QSO edited by a writer that settles first",
       {"UA1AA"},
       true,
       [](Station& s) {
         s.sync->RecordLocalChanges();
         s.Edit("UA1AA", "edited");
       },
       {"UA1AA edited"}},
      {"the one arrived QSO deleted by a writer that settles first",
       {"UA1AA"},
       true,
       [](Station& s) {
         s.sync->RecordLocalChanges();
         s.session.DeleteQso(0);
       },
       {}},
      {"one QSO logged where one arrived, by a writer that settles first",
       {"UA1AA"},
       false,
       [](Station& s) {
         s.sync->RecordLocalChanges();
         s.session.SaveQso(TestQso("UA9ZZ", "20", "12:00"));
       },
       {"UA1AA ", "UA9ZZ "}},
  };
  for (const Case& c : cases) {
    MemoryBroker broker;
    Station a{"alpha", broker};
    Station b{"bravo", broker};
    for (const char* call : c.arriving)
      a.Save(call);
    a.sync->Exchange();
    bool log_written = false;
    b.fs.before = [&](const std::string& op, const std::string& path) {
      bool log = path.find("mrvtest") != std::string::npos;
      if (c.log_written
              ? log_written && op == "rename" && path.find(kGroupIdsFileName) != std::string::npos
              : log)
        throw IoError("the power went off");
      log_written = log_written || log;
    };
    EXPECT_THROW(b.sync->Exchange(), IoError) << c.name;
    b.fs.before = nullptr;
    b.session.Start();
    b.Reopen();
    c.change(b);
    for (Station* s : {&b, &a, &b})
      s->sync->Exchange();
    EXPECT_EQ(b.Qsos(), c.qsos) << c.name;
    EXPECT_EQ(a.Qsos(), b.Qsos()) << c.name;
  }
}

TEST_F(GroupSyncTest, ASideFileThatDoesNotFitTheLogIsMended) {
  struct Case {
    const char* name;
    std::function<std::string(const std::string&)> damage;
  };
  const Case cases[] = {
      {"lost", [](const std::string&) { return std::string(); }},
      {"cut short", [](const std::string& t) { return t.substr(0, t.size() / 2); }},
  };
  a.Save("UA1AA");
  b.Save("UA3CC");
  Settle();
  for (const Case& c : cases) {
    b.dir.Write(kGroupIdsFileName, c.damage(b.dir.Read(kGroupIdsFileName)));
    b.Reopen();
    b.sync->Exchange();
    a.sync->Exchange();
    EXPECT_EQ(b.Qsos(), (Calls{"UA1AA ", "UA3CC "})) << c.name;
    EXPECT_EQ(a.Qsos(), b.Qsos()) << c.name;
  }
}

}  // namespace
}  // namespace mirva
