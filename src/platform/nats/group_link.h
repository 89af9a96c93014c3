#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "group/group_presence.h"
#include "group/group_transport.h"
#include "nats_serial_counter.h"
#include "nats_transport.h"

namespace mirva {

/// Serial numbers to take from the group's counter under one key: `deck` and then `reserve`
/// of them, none at or below `floor` - 1.
struct SerialRequest {
  std::string key;
  uint64_t deck = 0;
  uint64_t reserve = 0;
  uint64_t floor = 1;
  /// Where the key's counter starts when the broker has none (SerialCounter::Take).
  uint64_t start = 1;
};

/// The numbers taken for a SerialRequest: `deck_count` from `deck_first` on, and so on.
struct SerialsTaken {
  std::string key;
  uint64_t deck_first = 0;
  uint64_t deck_count = 0;
  uint64_t reserve_first = 0;
  uint64_t reserve_count = 0;
};

/// What the link's thread tells the thread that keeps the log.
struct GroupEvent {
  enum class Kind {
    kConnected,     ///< the broker answers; `text` names it
    kFailed,        ///< the broker cannot be used now; `text` says why; the link tries again
    kAcknowledged,  ///< `acks`: message ids the broker stored, at their sequences
    kReceived,      ///< `messages` after the last seen (none when the station is caught up
                    ///< after connecting); nothing more comes until Seen
    kStreamLost,    ///< the broker lost its store; nothing more comes until Seen
    kPresence,      ///< `presence`: a station told who operates it and where
    kNote,          ///< `note`: an operator's message
    kSerials,       ///< `serials`: numbers taken for the last TakeSerials (some may lack)
    kSpot,          ///< `spot`: a spot another station heard or marked
  };
  Kind kind = Kind::kConnected;
  std::string text;
  std::vector<std::pair<std::string, uint64_t>> acks;
  std::vector<GroupMessage> messages;
  GroupPresence presence;
  GroupNote note;
  GroupSpot spot;
  std::vector<SerialsTaken> serials;
};

/// The group's broker on a thread of its own, so that the thread that keeps the log never
/// waits on the network: it sends what the outbox holds, fetches the changes after the last
/// one applied as soon as the broker stores one, announces the station every few seconds and
/// passes the operators' notes. It connects again, with growing pauses, after any failure.
class GroupLink {
 public:
  /// Called on the link's threads; it must hand the event over and return at once.
  using Deliver = std::function<void(GroupEvent)>;

  static constexpr std::size_t kSpotsHeld = 100;

  GroupLink(NatsSettings settings, Deliver deliver);
  /// Stops the thread; what was not sent yet stays in the outbox for the next start.
  ~GroupLink();
  GroupLink(const GroupLink&) = delete;
  GroupLink& operator=(const GroupLink&) = delete;

  /// The changes the broker has not acknowledged (id and bytes), in order: they are sent.
  void Send(std::vector<std::pair<std::string, std::string>> changes);
  /// The last change applied to the log and its digest: changes after it are fetched.
  void Seen(uint64_t seen, uint64_t digest);
  /// What this station announces from now on.
  void Announce(GroupPresence presence);
  /// Passes a note to the connected stations.
  void Note(GroupNote note);
  /// Passes a spot to the connected stations; a link that is down holds only the newest
  /// kSpotsHeld of them, since spots age fast.
  void ShareSpot(GroupSpot spot);
  /// Takes serial numbers from the group's counter; a kSerials event tells what was taken,
  /// after a failure too.
  void TakeSerials(std::vector<SerialRequest> requests);

 private:
  void Run();
  /// One round with the broker connected: what waits is sent, what came is fetched.
  void Round(NatsTransport& transport, bool& check_lost);
  void Heard(std::string_view kind, std::string_view bytes);
  void Take(std::vector<SerialRequest> requests);
  /// Waits until something is to be done, `pause` passed or the link stops.
  void Sleep(std::chrono::milliseconds pause);

  NatsSettings settings_;
  Deliver deliver_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool rung_ = false;
  std::vector<std::pair<std::string, std::string>> to_send_;
  uint64_t seen_ = 0;
  uint64_t seen_digest_ = 0;
  /// A batch or a lost stream was told, and Seen has not answered yet.
  bool waiting_ = false;
  /// Whether a batch, empty or not, was told since the link connected: the first one tells
  /// that the station has read the group's stream and may give its new QSOs identities.
  bool caught_up_ = false;
  GroupPresence presence_;
  std::vector<GroupNote> notes_;
  std::vector<GroupSpot> spots_;
  std::vector<SerialRequest> serial_requests_;
  std::unique_ptr<NatsSerialCounter> counter_;  ///< opened when numbers are first asked for
  std::chrono::steady_clock::time_point next_presence_;
  std::chrono::steady_clock::time_point next_check_;
  std::thread thread_;
};

}  // namespace mirva
