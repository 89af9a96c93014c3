#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/qso_log.h"

namespace mirva {

/// The side file beside the log that holds the group identity of each record.
inline constexpr char kGroupIdsFileName[] = "group.ids";

/// One version of a QSO in the group: its revision, the station that made it, and what the
/// record held (RecordDigest), or that the QSO was deleted.
struct GroupVersion {
  uint32_t revision = 0;
  std::string editor;
  uint64_t digest = 0;
  bool deleted = false;
  /// Its place in the group's stream; 0 while it was not sent.
  uint64_t sequence = 0;

  bool operator==(const GroupVersion&) const = default;
};

/// The group's knowledge of one QSO. A record that has no identity yet has an empty station.
struct GroupEntry {
  std::string station;
  uint32_t number = 0;
  /// Revision 0 for a QSO that reaches the log only with `next`.
  GroupVersion current;
  /// The version a change from the group is about to write to the log: written to the side
  /// file before the log changes, so that a crash in between is told from a local change.
  std::optional<GroupVersion> next;

  bool Identified() const { return !station.empty(); }
  bool operator==(const GroupEntry&) const = default;
};

/// The side file's contents: one entry per log record, in log order, and the QSOs deleted.
struct GroupIds {
  /// The last sequence of the group's stream applied to the log.
  uint64_t seen = 0;
  /// BytesDigest of that message: a stream that was started anew and has reached as far
  /// holds another message there.
  uint64_t seen_digest = 0;
  /// The number this station gives its next QSO.
  uint32_t next_number = 1;
  std::vector<GroupEntry> live;
  std::vector<GroupEntry> deleted;

  bool operator==(const GroupIds&) const = default;
};

/// A 64-bit digest of the bytes, the same on every machine.
uint64_t BytesDigest(std::string_view bytes);

/// A 64-bit digest of the record in the form the log stores it (EncodeQSO of its decoding),
/// so that two stations holding the same QSO get the same digest.
uint64_t RecordDigest(QsoRecordView record);

std::string FormatGroupIds(const GroupIds& ids);
/// The side file's contents, or nothing when the text is not a whole side file (a lost or
/// damaged one is then built again from the log).
std::optional<GroupIds> ParseGroupIds(std::string_view text);
/// Whether a change from the group was on its way to the log when the side file was last
/// written (an entry has `next`): a crash may have cut it short.
bool ChangeUnderWay(const GroupIds& ids);

/// How the log differs from the side file, found by the records' digests: a record whose
/// digest no entry has is new, or an edit of an entry whose record is gone at the same place;
/// an entry whose record is gone is deleted. Pending versions (GroupEntry::next) that reached
/// the log are taken, those that did not are dropped without a change; a pending add whose
/// record at its place in the batch differs is that QSO edited here, when the log grew exactly
/// by a batch that was written.
struct LogDifference {
  /// The entries of the log's records, in log order; a new record has no identity.
  std::vector<GroupEntry> live;
  /// Indexes into `live` of records edited here (their entry still holds the old version).
  std::vector<std::size_t> edited;
  /// The new digests of the edited records, beside `edited`.
  std::vector<uint64_t> edited_digests;
  /// Identified entries whose records were deleted here.
  std::vector<GroupEntry> removed;
  /// Entries whose pending delete reached the log, that version now current.
  std::vector<GroupEntry> settled_deletes;
};
LogDifference CompareLog(const QsoLog& log, const std::vector<GroupEntry>& entries);

/// Whether the log holds exactly the entries' records, in order, with nothing pending: the
/// quick answer CompareLog would find no difference.
bool LogMatches(const QsoLog& log, const std::vector<GroupEntry>& entries);

}  // namespace mirva
