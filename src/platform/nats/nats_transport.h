#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "group/group_transport.h"
#include "group_secret.h"
#include "workspace/workspace_settings.h"

namespace mirva {

/// Where and how a station reaches its group's broker.
struct NatsSettings {
  /// nats://HOST:PORT, or tls://HOST:PORT for an encrypted link; the nodes of a cluster
  /// comma-separated, any of which will do.
  std::string url;
  std::string group;
  GroupSecret secret;
  std::string ca_file;  ///< for tls://: the certificates the broker's is checked against
  /// How long a connection attempt or a broker's answer may take.
  std::chrono::milliseconds timeout{3000};
  /// How many nodes of a cluster keep the group's stream when it is created here; a stream
  /// that exists keeps its own.
  int replicas = 1;
};

/// The broker's settings as a working directory keeps them, the secret read from its file;
/// throws GroupError when the secret file cannot be read.
NatsSettings BrokerSettings(const GroupSettings& group);

/// A group name: 1 to 32 letters, digits, '-' or '_' (it names a stream and a subject, and
/// case does not tell groups apart).
bool IsGroupName(std::string_view name);
/// The group's stream, MIRVA_<GROUP>, and the subject its changes go to, mirva.<group>.changes.
std::string GroupStreamName(std::string_view group);
std::string GroupSubject(std::string_view group);

/// The group's changes in a JetStream stream of a NATS broker (file storage, repeated message
/// ids dropped for hours). Use it from one thread.
class NatsTransport : public GroupTransport {
 public:
  /// Connects and creates the group's stream when the broker has none; a GroupError says why
  /// it could not.
  explicit NatsTransport(const NatsSettings& settings);
  ~NatsTransport() override;
  NatsTransport(const NatsTransport&) = delete;
  NatsTransport& operator=(const NatsTransport&) = delete;

  uint64_t Publish(const std::string& message_id, const std::string& bytes) override;
  std::vector<GroupMessage> Fetch(uint64_t after, std::size_t max) override;
  uint64_t LastSequence() override;
  std::optional<GroupMessage> MessageAt(uint64_t sequence) override;

  /// Called on the client's own thread with the last part of the subject and the bytes.
  using Heard = std::function<void(std::string_view kind, std::string_view bytes)>;
  /// Hears every message sent on the group's subjects mirva.<group>.<kind> from now on, the
  /// stored changes among them (kind "changes"), until the transport goes.
  void Listen(Heard heard);
  /// Sends a message on mirva.<group>.<kind> to whoever listens now; the broker keeps nothing
  /// of it. Throws GroupError when the connection is down.
  void Announce(std::string_view kind, std::string_view bytes);
  /// Whether the link to the broker is up now: it reconnects by itself after a loss.
  bool Connected() const;

  /// The client library's handles, which its callbacks reach.
  struct Handles;

 private:
  /// What the broker tells of the group's stream.
  struct StreamState {
    bool exists = false;
    /// A cluster's stream whose nodes have not agreed on a leader: the state a follower tells
    /// then may lag behind what the cluster acknowledged.
    bool leaderless = false;
    uint64_t last = 0;
  };
  StreamState Describe();
  [[noreturn]] void FailLeaderless() const;
  void EnsureStream();
  void OpenReader(uint64_t from);
  void DropReader();
  /// At most `batch` changes from the reader's place; `pending` becomes how many follow them.
  std::vector<GroupMessage> FetchBatch(int batch, uint64_t& pending);

  std::string where_;  ///< the broker's URLs without any user or token in them
  std::string stream_;
  std::string subject_;
  std::string prefix_;  ///< mirva.<group>.
  std::chrono::milliseconds timeout_;
  int replicas_;
  std::unique_ptr<Handles> handles_;
  uint64_t reader_next_ = 0;  ///< the sequence the open reader delivers next
  std::chrono::steady_clock::time_point reader_used_;
};

}  // namespace mirva
