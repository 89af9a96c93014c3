#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirva {

/// One change as the broker stored it: its place in the group's stream and its bytes.
struct GroupMessage {
  uint64_t sequence = 0;
  std::string bytes;
};

/// What the group log needs of a broker: an ordered, durable stream of changes that drops a
/// repeated message id. Every call may fail with a GroupError (its text names the cause).
class GroupTransport {
 public:
  virtual ~GroupTransport() = default;
  /// Stores one change, returning once the broker has acknowledged it; a message id the
  /// broker has seen before is acknowledged and not stored twice.
  virtual uint64_t Publish(const std::string& message_id, const std::string& bytes) = 0;
  /// The changes after `after`, in order, at most `max` of them; empty when there are none.
  virtual std::vector<GroupMessage> Fetch(uint64_t after, std::size_t max) = 0;
  /// The last sequence the stream holds; 0 for an empty stream (a broker that lost its store).
  virtual uint64_t LastSequence() = 0;
  /// The change stored at `sequence`, or nothing when the stream holds none there. A broker
  /// that can look one message up overrides this, so that a check does not move its reader.
  virtual std::optional<GroupMessage> MessageAt(uint64_t sequence) {
    std::vector<GroupMessage> found = Fetch(sequence - 1, 1);
    if (found.empty() || found[0].sequence != sequence)
      return std::nullopt;
    return std::move(found[0]);
  }
};

/// A failure of the group's broker or network: unreachable, refused, timed out.
struct GroupError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// The broker of a GroupSync that only keeps the side files in step with the log, while the
/// broker is talked to elsewhere or not at all: every call fails.
class OfflineTransport : public GroupTransport {
 public:
  uint64_t Publish(const std::string&, const std::string&) override { throw Offline(); }
  std::vector<GroupMessage> Fetch(uint64_t, std::size_t) override { throw Offline(); }
  uint64_t LastSequence() override { throw Offline(); }

 private:
  static GroupError Offline() { return GroupError("the broker is not reached from here"); }
};

}  // namespace mirva
