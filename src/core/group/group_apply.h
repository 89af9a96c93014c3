#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "group/group_ids.h"
#include "group/group_transport.h"
#include "log/qso_log.h"

namespace mirva {

/// A version of a QSO that lost to another one made while their stations were apart: of one
/// revision the one later in the group's stream is kept everywhere, and a lower revision that
/// reached the stream after a higher one loses to it.
struct GroupConflict {
  /// "<station>/<number>": the QSO's identity in the group.
  std::string qso;
  uint32_t revision = 0;
  /// The stations whose versions lost and won.
  std::string loser;
  std::string winner;
  /// The losing version as one line: the record's fields, or "deleted".
  std::string lost;
};

/// What a batch of changes from the group's stream does to the log and its side file.
struct GroupBatch {
  /// The side file to write before the log changes: an entry about to change holds its new
  /// version as `next`, and the QSOs about to be added come last with only a `next`.
  GroupIds pending;
  /// The side file once the log has changed, `seen` at the batch's last message.
  GroupIds done;
  /// Whether the log is to be written whole, as `records`; otherwise `records` are appended.
  bool rewrite = false;
  std::vector<TQSOData> records;
  std::size_t received = 0;  ///< messages after the last one seen
  std::size_t applied = 0;   ///< of those, the ones that change the log
  /// Why each message left out was, with its sequence: malformed, or refused by `can_store`.
  std::vector<std::string> skipped;
  std::vector<GroupConflict> conflicts;

  bool ChangesLog() const { return rewrite || !records.empty(); }
};

/// Settles the messages after `ids.seen` against the side file `ids` (one live entry per
/// record of `log`): a higher revision wins; of two different versions of one revision, the
/// one later in the stream wins, and the other is a conflict, as is a lower revision that came
/// after a higher one; a change had before changes nothing. A new QSO that a record without an
/// identity already is takes that record; other new QSOs are appended. `station` is this station:
/// its numbers go on after any of its own QSOs that come.
GroupBatch ApplyMessages(const GroupIds& ids, const QsoLog& log, std::string_view station,
                         const std::vector<GroupMessage>& messages,
                         const std::function<bool(const TQSOData&)>& can_store);

}  // namespace mirva
