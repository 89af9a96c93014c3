#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "group/group_change.h"
#include "group/group_sync.h"
#include "nats_broker.h"
#include "nats_transport.h"
#include "posix_file_system.h"
#include "recording_notifier.h"
#include "reference_files.h"
#include "sample_qso.h"
#include "session/session.h"
#include "test_dir.h"

namespace mirva {
namespace {

constexpr char kToken[] = "flood-token";

/// One station on its own folder, exchanging through the real broker.
struct Station {
  Station(const std::string& name, const NatsSettings& settings) : transport(settings) {
    CopyReferenceFiles(dir.path());
    session.Start();
    sync = std::make_unique<GroupSync>(session, fs, dir.path(), name, transport);
  }
  void Save(const std::string& call) {
    session.SaveQso(TestQso(call));
    sync->RecordLocalChanges();
  }
  bool Holds(const std::string& call) const {
    for (const TQSOData& q : session.log().QSOLog()) {
      if (q.Call == call)
        return true;
    }
    return false;
  }

  TestDir dir;
  PosixFileSystem fs;
  RecordingNotifier notifier;
  Session session{fs, notifier, dir.path()};
  NatsTransport transport;
  std::unique_ptr<GroupSync> sync;
};

/// Junk published straight to the group's stream, as a program that is no station might:
/// random bytes, an oversized message, a cut change and a forged version.
std::vector<std::string> Junk() {
  std::vector<std::string> junk;
  std::mt19937 random(7);
  for (int i = 0; i < 60; ++i) {
    std::string bytes(random() % 400, '\0');
    for (char& c : bytes)
      c = static_cast<char>(random());
    junk.push_back(bytes);
  }
  junk.push_back(std::string(64 * 1024, 'A'));
  GroupChange change;
  change.station = "intruder";
  change.number = 1;
  change.revision = 1;
  change.editor = "intruder";
  change.record = TestQso("UA9XX");
  std::string valid = EncodeChange(change);
  junk.push_back(valid.substr(0, valid.size() / 2));
  junk.push_back("MIRVA-GROUP 9" + valid.substr(13));
  junk.push_back(valid + std::string(kMaxGroupChangeSize, 'x'));
  return junk;
}

// A flood of malformed and oversized messages on the group's stream is counted and skipped:
// the station's log keeps only real QSOs, and both stations go on logging and exchanging.
TEST(GroupFloodTest, MalformedMessagesAreSkippedAndStationsKeepLogging) {
  if (NatsBroker::Executable().empty())
    GTEST_SKIP() << "nats-server is not installed (Debian package nats-server)";
  TestDir store;
  NatsBroker broker(store / "store", kToken);
  ASSERT_TRUE(broker.Start()) << "nats-server did not listen";
  NatsSettings settings;
  settings.url = broker.Url();
  settings.group = "Flood";
  settings.secret.token = kToken;

  Station a("alpha", settings);
  Station b("bravo", settings);
  b.Save("UA3CC");
  b.sync->Exchange();
  NatsTransport flooder(settings);
  const std::vector<std::string> junk = Junk();
  for (std::size_t i = 0; i < junk.size(); ++i)
    flooder.Publish("junk-" + std::to_string(i), junk[i]);

  GroupSyncSummary summary = a.sync->Exchange();
  EXPECT_EQ(summary.skipped, junk.size());
  EXPECT_EQ(summary.skip_reasons.size(), junk.size());
  EXPECT_TRUE(a.Holds("UA3CC"));
  EXPECT_FALSE(a.Holds("UA9XX"));
  EXPECT_EQ(a.session.log().QSOLog().size(), 1u);

  a.Save("UA1AA");
  a.sync->Exchange();
  b.sync->Exchange();
  EXPECT_TRUE(b.Holds("UA1AA"));
  EXPECT_EQ(b.session.log().QSOLog().size(), 2u);
  EXPECT_EQ(a.sync->Pending() + b.sync->Pending(), 0u);
}

}  // namespace
}  // namespace mirva
