#include <gtest/gtest.h>
#include <nats/nats.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "nats_broker.h"
#include "nats_transport.h"
#include "test_dir.h"

namespace mirva {
namespace {

using std::chrono::steady_clock;

constexpr char kToken[] = "cluster-token";
constexpr char kGroup[] = "contest";

struct StreamState {
  std::string leader;
  int64_t replicas = 0;
};

/// The group's stream as the broker at `url` describes it; no leader when it has none now.
StreamState StreamOf(const std::string& url) {
  StreamState state;
  natsOptions* options = nullptr;
  natsConnection* connection = nullptr;
  jsCtx* js = nullptr;
  jsStreamInfo* info = nullptr;
  natsOptions_Create(&options);
  natsOptions_SetURL(options, url.c_str());
  natsOptions_SetToken(options, kToken);
  if (natsConnection_Connect(&connection, options) == NATS_OK &&
      natsConnection_JetStream(&js, connection, nullptr) == NATS_OK &&
      js_GetStreamInfo(&info, js, GroupStreamName(kGroup).c_str(), nullptr, nullptr) == NATS_OK) {
    if (info->Cluster && info->Cluster->Leader)
      state.leader = info->Cluster->Leader;
    state.replicas = info->Config->Replicas;
  }
  jsStreamInfo_Destroy(info);
  jsCtx_Destroy(js);
  natsConnection_Destroy(connection);
  natsOptions_Destroy(options);
  return state;
}

class NatsClusterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (NatsBroker::Executable().empty())
      GTEST_SKIP() << "nats-server is not installed (Debian package nats-server)";
    ASSERT_TRUE(cluster_.Start()) << "the cluster did not become healthy";
  }

  NatsSettings Settings(int replicas) const {
    NatsSettings settings;
    settings.url = cluster_.Urls();
    settings.group = kGroup;
    settings.secret.token = kToken;
    settings.timeout = std::chrono::milliseconds(1000);
    settings.replicas = replicas;
    return settings;
  }

  /// The node that leads the group's stream, once it has a leader again.
  int Leader(int ask) {
    for (auto until = steady_clock::now() + std::chrono::seconds(10);
         steady_clock::now() < until;) {
      std::string leader = StreamOf(cluster_.Node(ask).Url()).leader;
      for (int i = 0; i < NatsCluster::kNodes; ++i) {
        if (leader == NatsCluster::Name(i))
          return i;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
  }

  /// Publishes change `n` until the cluster acknowledges it, as a station's outbox would.
  void Publish(NatsTransport& transport, int n) {
    std::string id = "RUN1-" + std::to_string(n) + "-1";
    for (auto until = steady_clock::now() + std::chrono::seconds(10);;) {
      try {
        acknowledged_.push_back({transport.Publish(id, std::to_string(n)), std::to_string(n)});
        return;
      } catch (const GroupError& e) {
        ASSERT_LT(steady_clock::now(), until) << e.what();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    }
  }

  /// Reads the whole stream and checks it holds every acknowledged change once, in the order
  /// they were published, each at the place its acknowledgement named.
  void ExpectEverythingAcknowledged(NatsTransport& transport) {
    std::vector<GroupMessage> got;
    for (auto until = steady_clock::now() + std::chrono::seconds(10);
         got.size() < acknowledged_.size() && steady_clock::now() < until;) {
      try {
        got = transport.Fetch(0, 1000);
      } catch (const GroupError&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    }
    ASSERT_EQ(got.size(), acknowledged_.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].sequence, i + 1);
      EXPECT_EQ(got[i].bytes, std::to_string(i + 1)) << "at " << i + 1;
      EXPECT_EQ(acknowledged_[i].sequence, got[i].sequence);
    }
  }

  TestDir dir_;
  NatsCluster cluster_{dir_.path(), kToken};
  std::vector<GroupMessage> acknowledged_;
};

TEST_F(NatsClusterTest, KilledNodesLoseNothingAcknowledgedAndKeepTheOrder) {
  NatsTransport transport(Settings(3));
  EXPECT_EQ(StreamOf(cluster_.Node(0).Url()).replicas, 3);
  // A station asking for another count finds the stream as it is.
  NatsTransport(Settings(1)).LastSequence();
  EXPECT_EQ(StreamOf(cluster_.Node(0).Url()).replicas, 3);

  int n = 0;
  while (n < 20)
    Publish(transport, ++n);
  // The hardest node to lose: the one that leads the stream.
  int first = Leader(0);
  ASSERT_GE(first, 0);
  cluster_.Node(first).Kill();
  while (n < 40) {
    Publish(transport, ++n);
    if (n % 10 == 0)
      ExpectEverythingAcknowledged(transport);
  }
  ASSERT_TRUE(cluster_.Start()) << "the killed node did not catch up";

  // Lose another node, the leader unless that is the restarted one: the restarted node must
  // now carry the stream with the one left.
  int second = Leader(first);
  ASSERT_GE(second, 0);
  if (second == first)
    second = (first + 1) % NatsCluster::kNodes;
  cluster_.Node(second).Kill();
  while (n < 60)
    Publish(transport, ++n);
  ExpectEverythingAcknowledged(transport);
}

}  // namespace
}  // namespace mirva
