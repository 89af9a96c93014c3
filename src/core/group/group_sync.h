#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "file_system.h"
#include "group/group_apply.h"
#include "group/group_ids.h"
#include "group/group_outbox.h"
#include "group/group_transport.h"
#include "scoring/impossible_qsos.h"

namespace mirva {

class Session;

/// The group's bookkeeping files in the working directory, beside the log.
inline constexpr char kGroupOutboxFileName[] = "group.outbox";
inline constexpr char kGroupConflictsFileName[] = "group-conflicts.txt";

/// What one Exchange did.
struct GroupSyncSummary {
  std::size_t sent = 0;      ///< changes the broker acknowledged
  std::size_t received = 0;  ///< messages fetched
  std::size_t applied = 0;   ///< of those, the ones that changed the log
  std::size_t skipped = 0;   ///< malformed or refused messages, left out
  /// Why each skipped message was left out, with its sequence.
  std::vector<std::string> skip_reasons;
  std::vector<GroupConflict> conflicts;
  /// Whether the broker had lost its store and this station's whole history was sent again.
  bool republished = false;
};

/// Keeps one station's log in step with the group's: the station's own changes go out
/// through the outbox, the other stations' changes come in and are written to the log. The
/// log file stays the source of truth; the identities live in the side file. Runs on the
/// caller's thread and holds no lock: the caller holds the log's writer lock.
class GroupSync {
 public:
  /// Reads the side file and the outbox of `dir` (the Session's working directory, whose log
  /// the Session holds as the file has it); a side file that is missing or does not fit the
  /// log is mended by the next RecordLocalChanges or Exchange, never the log. Throws
  /// std::invalid_argument when the station name is not valid (ValidStationName).
  GroupSync(Session& session, FileSystem& fs, std::string dir, std::string station,
            GroupTransport& transport);

  /// Compares the log with the side file and queues every QSO added, edited or deleted since
  /// (by the program, by mirva-cli, or before the station joined) in the outbox, flushed;
  /// never touches the network. Call it after each save, edit or delete; Exchange calls it
  /// first. Returns how many changes were queued. Throws IoError when a file cannot be
  /// written; the log is never changed.
  std::size_t RecordLocalChanges();

  /// Records the local changes, sends the outbox (each change dropped from it once
  /// acknowledged), fetches every change after the last one seen and applies it to the log,
  /// and sends the whole history again when the broker lost its store. Losing versions of
  /// conflicting edits are appended to group-conflicts.txt. Throws GroupError when the broker
  /// fails (what was done before stays done: the outbox keeps what was not acknowledged) and
  /// IoError when a file cannot be written.
  GroupSyncSummary Exchange();

  /// Reads the side file and the outbox again: after another process (another GroupSync on
  /// the same folder) may have written them.
  void Reload();

  // The steps of Exchange without the network, for a caller that talks to the broker on
  // another thread: Outgoing, then Acknowledged for what the broker took; Apply for what it
  // sent; Restart when StreamLost says the broker lost its store.

  /// Records the local changes and returns every change the broker has not acknowledged, in
  /// order. `appended_only` tells that the log changed only by QSOs appended at its end (or not
  /// at all) since the last call, so that the rest of the log need not be compared. Throws
  /// IoError when a file cannot be written.
  std::vector<GroupChange> Outgoing(bool appended_only = false);
  /// The broker acknowledged the changes of these message ids at these sequences: each one at
  /// the front of the outbox is dropped from it; others (already dropped) are ignored.
  void Acknowledged(const std::vector<std::pair<std::string, uint64_t>>& acks);
  /// Applies changes fetched from the group's stream after LastSeen() to the log, then gives
  /// identities to the records that still lack one (they go to the outbox). Throws IoError
  /// when a file cannot be written, with LastSeen() where the log was left.
  GroupSyncSummary Apply(const std::vector<GroupMessage>& messages);
  /// The broker lost its store: every version this station holds is queued to be sent again.
  void Restart();
  /// The bookkeeping files' new contents, for a caller that writes them off its thread: the
  /// side file's identities (a copy, formatted by Write, which costs more than the copy) and
  /// the outbox's text.
  struct Writes {
    std::optional<GroupIds> ids;
    std::optional<std::string> outbox;
  };
  /// From now on the side file and the outbox are written only by the caller, from what
  /// TakeWrites hands over, except the side file that must reach the disk before a change
  /// from the group reaches the log: for that one `drain` is called first, to wait until the
  /// caller's writes are done, and it is written at once. A crash before a handed-over write
  /// loses nothing: the log is compared with the side file again at the next start, and the
  /// broker drops what is sent twice.
  void DeferWrites(std::function<void()> drain);
  Writes TakeWrites();
  /// Writes what TakeWrites handed over; callable from any thread, one call at a time.
  static void Write(FileSystem& fs, const std::string& dir, const Writes& writes);

  /// The digest of the last message applied, which StreamLost compares.
  uint64_t LastSeenDigest() const { return ids_.seen_digest; }

  /// How many changes wait in the outbox.
  std::size_t Pending() const { return outbox_.changes().size(); }
  /// The last sequence of the group's stream applied here; 0 before the first exchange.
  uint64_t LastSeen() const { return ids_.seen; }
  /// The identity of each log record, in log order, as last recorded.
  const GroupIds& Ids() const { return ids_; }

 private:
  std::string PathOf(const char* name) const;
  void SaveIds();
  /// Writes the side file now, whether or not writes are deferred.
  void SaveIdsNow();
  /// Finds the changes of the log since the side file was written and adds them to
  /// `changes`; records without an identity keep none yet. True when the side file
  /// must be written.
  bool Scan(std::vector<GroupChange>& changes);
  /// Takes the records past the side file's end as new QSOs of this station.
  void RecordAppended();
  /// The version held of the QSO with that identity; null when none is.
  GroupVersion* Held(std::string_view station, uint32_t number);
  /// Takes a short batch that holds only this station's own changes, each the version held,
  /// by noting their places in the stream, as ApplyBatch would but without going over the
  /// whole log; false, with nothing changed, for any other batch.
  bool TakeOwnEchoes(const std::vector<GroupMessage>& messages);
  /// Gives every record without an identity one of this station, adding it to `changes` as a
  /// new QSO; true when there was one.
  bool IdentifyNew(std::vector<GroupChange>& changes);
  /// Queues every version of a QSO that the group's stream does not hold (a broker that lost
  /// its store, or a crash before the side file took what was sent).
  void QueueUnsent();
  void Send(GroupSyncSummary& summary);
  void Receive(GroupSyncSummary& summary);
  void ApplyBatch(const std::vector<GroupMessage>& messages, GroupSyncSummary& summary);
  /// Appends the losing versions to group-conflicts.txt.
  void Report(const std::vector<GroupConflict>& conflicts);
  /// Whether the record can be a QSO of any contest this program knows.
  bool CanStore(const TQSOData& record);

  Session& session_;
  FileSystem& fs_;
  std::string dir_;
  std::string station_;
  GroupTransport& transport_;
  GroupIds ids_;
  GroupOutbox outbox_;
  /// Whether new records may get identities: the side file was whole and had seen the
  /// group, or the group's stream was read since, so that a record that came from another
  /// station is not taken for a new one of this station.
  bool joined_ = false;
  std::optional<KnownBandsAndModes> known_;
  std::function<void()> drain_;  ///< set when writes are deferred
  bool ids_dirty_ = false;
};

/// Whether the broker's stream is not the one read up to `seen`: it is shorter, or another
/// message (of another digest) stands at the place of the last one seen.
bool StreamLost(GroupTransport& transport, uint64_t seen, uint64_t seen_digest);

}  // namespace mirva
