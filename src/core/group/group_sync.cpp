#include "group/group_sync.h"

#include <stdexcept>
#include <unordered_set>

#include "replace_file.h"
#include "session/session.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

/// Changes applied at once: each batch writes the side file twice.
constexpr std::size_t kFetchBatch = 4096;

GroupChange ChangeOf(const GroupEntry& entry, const TQSOData* record) {
  GroupChange change;
  change.kind = record ? GroupChange::Kind::kUpsert : GroupChange::Kind::kTombstone;
  change.station = entry.station;
  change.number = entry.number;
  change.revision = entry.current.revision;
  change.editor = entry.current.editor;
  if (record)
    change.record = *record;
  return change;
}

}  // namespace

GroupSync::GroupSync(Session& session, FileSystem& fs, std::string dir, std::string station,
                     GroupTransport& transport)
    : session_(session),
      fs_(fs),
      dir_(std::move(dir)),
      station_(std::move(station)),
      transport_(transport),
      outbox_(fs, JoinPath(dir_, kGroupOutboxFileName)) {
  if (!ValidStationName(station_))
    throw std::invalid_argument("The station name \"" + station_ +
                                "\" is not 1 to 32 Latin letters, digits, \"-\" or \"_\" beginning "
                                "with a letter or a digit");
  Reload();
}

void GroupSync::Reload() {
  ids_ = {};
  joined_ = false;
  if (std::optional<std::string> text = fs_.ReadFile(PathOf(kGroupIdsFileName))) {
    if (std::optional<GroupIds> ids = ParseGroupIds(*text)) {
      ids_ = std::move(*ids);
      joined_ = ids_.seen > 0;
    }
  }
  outbox_.Load();
}

std::string GroupSync::PathOf(const char* name) const {
  return JoinPath(dir_, name);
}

void GroupSync::SaveIds() {
  if (drain_)
    ids_dirty_ = true;
  else
    SaveIdsNow();
}

void GroupSync::SaveIdsNow() {
  if (drain_)
    drain_();
  ReplaceFile(fs_, PathOf(kGroupIdsFileName), FormatGroupIds(ids_),
              "Cannot write the group's identities to");
  ids_dirty_ = false;
}

void GroupSync::DeferWrites(std::function<void()> drain) {
  drain_ = std::move(drain);
  outbox_.DeferWrites();
}

GroupSync::Writes GroupSync::TakeWrites() {
  Writes writes;
  if (ids_dirty_)
    writes.ids = ids_;
  ids_dirty_ = false;
  writes.outbox = outbox_.TakeText();
  return writes;
}

void GroupSync::Write(FileSystem& fs, const std::string& dir, const Writes& writes) {
  if (writes.outbox)
    ReplaceFile(fs, JoinPath(dir, kGroupOutboxFileName), *writes.outbox, "Cannot write the outbox");
  if (writes.ids)
    ReplaceFile(fs, JoinPath(dir, kGroupIdsFileName), FormatGroupIds(*writes.ids),
                "Cannot write the group's identities to");
}

std::size_t GroupSync::RecordLocalChanges() {
  std::vector<GroupChange> changes;
  bool changed = Scan(changes);
  if (joined_ && IdentifyNew(changes))
    changed = true;
  outbox_.Append(changes);
  if (changed)
    SaveIds();
  return changes.size();
}

void GroupSync::RecordAppended() {
  const QsoLog log = session_.log().QSOLog();
  for (std::size_t i = ids_.live.size(); i < log.size(); ++i)
    ids_.live.emplace_back().current.digest = RecordDigest(log.Record(i));
  std::vector<GroupChange> changes;
  if (joined_)
    IdentifyNew(changes);
  outbox_.Append(changes);
  SaveIds();
}

bool GroupSync::Scan(std::vector<GroupChange>& changes) {
  const QsoLog log = session_.log().QSOLog();
  if (LogMatches(log, ids_.live))
    return false;
  LogDifference diff = CompareLog(log, ids_.live);
  bool changed = !diff.edited.empty() || !diff.removed.empty() || !diff.settled_deletes.empty() ||
                 diff.live != ids_.live;
  for (std::size_t j = 0; j < diff.edited.size(); ++j) {
    std::size_t i = diff.edited[j];
    GroupEntry& entry = diff.live[i];
    if (!entry.Identified()) {
      entry.current.digest = diff.edited_digests[j];
      continue;
    }
    entry.current = {entry.current.revision + 1, station_, diff.edited_digests[j], false, 0};
    TQSOData record = log[i];
    changes.push_back(ChangeOf(entry, &record));
  }
  for (GroupEntry& entry : diff.removed) {
    entry.current = {entry.current.revision + 1, station_, 0, true, 0};
    changes.push_back(ChangeOf(entry, nullptr));
    ids_.deleted.push_back(std::move(entry));
  }
  for (GroupEntry& entry : diff.settled_deletes)
    ids_.deleted.push_back(std::move(entry));
  ids_.live = std::move(diff.live);
  return changed;
}

bool GroupSync::IdentifyNew(std::vector<GroupChange>& changes) {
  const QsoLog log = session_.log().QSOLog();
  bool any = false;
  for (std::size_t i = 0; i < ids_.live.size(); ++i) {
    GroupEntry& entry = ids_.live[i];
    if (entry.Identified())
      continue;
    entry.station = station_;
    entry.number = ids_.next_number++;
    entry.current = {1, station_, entry.current.digest, false, 0};
    TQSOData record = log[i];
    changes.push_back(ChangeOf(entry, &record));
    any = true;
  }
  return any;
}

void GroupSync::QueueUnsent() {
  std::unordered_set<std::string> queued;
  for (const GroupChange& change : outbox_.changes())
    queued.insert(MessageIdOf(change));
  const QsoLog log = session_.log().QSOLog();
  auto unsent = [](const GroupEntry& entry) {
    return entry.Identified() && entry.current.sequence == 0 && entry.current.revision > 0;
  };
  std::vector<GroupChange> changes;
  auto queue = [&](const GroupEntry& entry, const TQSOData* record) {
    GroupChange change = ChangeOf(entry, record);
    if (!queued.contains(MessageIdOf(change)))
      changes.push_back(std::move(change));
  };
  for (std::size_t i = 0; i < ids_.live.size(); ++i) {
    if (unsent(ids_.live[i])) {
      TQSOData record = log[i];
      queue(ids_.live[i], &record);
    }
  }
  for (const GroupEntry& entry : ids_.deleted) {
    if (unsent(entry))
      queue(entry, nullptr);
  }
  outbox_.Append(changes);
}

GroupSyncSummary GroupSync::Exchange() {
  GroupSyncSummary summary;
  RecordLocalChanges();
  if (StreamLost(transport_, ids_.seen, ids_.seen_digest)) {
    Restart();
    summary.republished = true;
  }
  QueueUnsent();
  Send(summary);
  Receive(summary);
  joined_ = true;
  std::vector<GroupChange> changes;
  if (IdentifyNew(changes)) {
    outbox_.Append(changes);
    SaveIds();
    Send(summary);
  }
  return summary;
}

void GroupSync::Restart() {
  for (GroupEntry& entry : ids_.live)
    entry.current.sequence = 0;
  for (GroupEntry& entry : ids_.deleted)
    entry.current.sequence = 0;
  ids_.seen = 0;
  ids_.seen_digest = 0;
  SaveIds();
  QueueUnsent();
}

std::vector<GroupChange> GroupSync::Outgoing(bool appended_only) {
  if (!appended_only)
    RecordLocalChanges();
  else if (session_.log().QSOLog().size() > ids_.live.size())
    RecordAppended();
  QueueUnsent();
  return outbox_.changes();
}

GroupVersion* GroupSync::Held(std::string_view station, uint32_t number) {
  // The newest QSOs are the ones acknowledged and echoed: the search starts at the end.
  for (std::vector<GroupEntry>* list : {&ids_.live, &ids_.deleted}) {
    for (auto entry = list->rbegin(); entry != list->rend(); ++entry) {
      if (entry->number == number && entry->station == station)
        return &entry->current;
    }
  }
  return nullptr;
}

void GroupSync::Acknowledged(const std::vector<std::pair<std::string, uint64_t>>& acks) {
  std::size_t done = 0;
  for (const auto& [id, sequence] : acks) {
    if (done == outbox_.changes().size() || MessageIdOf(outbox_.changes()[done]) != id)
      continue;
    const GroupChange& change = outbox_.changes()[done++];
    GroupVersion* version = Held(change.station, change.number);
    if (version && version->revision == change.revision && version->editor == change.editor &&
        version->deleted == (change.kind == GroupChange::Kind::kTombstone))
      version->sequence = sequence;
  }
  if (done > 0) {
    SaveIds();
    outbox_.DropFirst(done);
  }
}

bool GroupSync::TakeOwnEchoes(const std::vector<GroupMessage>& messages) {
  if (messages.empty() || messages.size() > 64 ||
      ids_.live.size() != session_.log().QSOLog().size())
    return false;
  std::vector<std::pair<GroupVersion*, uint64_t>> echoes;
  uint64_t seen = ids_.seen;
  for (const GroupMessage& message : messages) {
    if (message.sequence <= seen)
      continue;
    DecodedChange decoded = DecodeChange(message.bytes);
    if (!decoded.change || decoded.change->editor != station_)
      return false;
    const GroupChange& change = *decoded.change;
    GroupVersion* held = Held(change.station, change.number);
    bool tombstone = change.kind == GroupChange::Kind::kTombstone;
    if (!held || held->revision != change.revision || held->editor != change.editor ||
        held->deleted != tombstone || (held->sequence != 0 && held->sequence != message.sequence))
      return false;
    if (!tombstone) {
      std::string bytes = EncodeQSO(change.record);
      if (RecordDigest(QsoRecordView(bytes.data())) != held->digest)
        return false;
    }
    echoes.emplace_back(held, message.sequence);
    seen = message.sequence;
  }
  for (auto& [held, sequence] : echoes)
    held->sequence = sequence;
  if (seen > ids_.seen) {
    ids_.seen = seen;
    ids_.seen_digest = BytesDigest(messages.back().bytes);
    SaveIds();
  }
  return true;
}

GroupSyncSummary GroupSync::Apply(const std::vector<GroupMessage>& messages) {
  GroupSyncSummary summary;
  if (!messages.empty() && messages.back().sequence > ids_.seen && !TakeOwnEchoes(messages))
    ApplyBatch(messages, summary);
  joined_ = true;
  std::vector<GroupChange> changes;
  if (IdentifyNew(changes)) {
    outbox_.Append(changes);
    SaveIds();
  }
  return summary;
}

bool StreamLost(GroupTransport& transport, uint64_t seen, uint64_t seen_digest) {
  if (seen == 0)
    return false;
  if (transport.LastSequence() < seen)
    return true;
  std::optional<GroupMessage> last = transport.MessageAt(seen);
  return !last || BytesDigest(last->bytes) != seen_digest;
}

void GroupSync::Send(GroupSyncSummary& summary) {
  if (outbox_.changes().empty())
    return;
  std::vector<std::pair<std::string, uint64_t>> acks;
  try {
    for (const GroupChange& change : outbox_.changes()) {
      std::string id = MessageIdOf(change);
      uint64_t sequence = transport_.Publish(id, EncodeChange(change));
      acks.emplace_back(std::move(id), sequence);
      ++summary.sent;
    }
  } catch (const GroupError&) {
    Acknowledged(acks);
    throw;
  }
  Acknowledged(acks);
}

void GroupSync::Receive(GroupSyncSummary& summary) {
  for (;;) {
    std::vector<GroupMessage> messages = transport_.Fetch(ids_.seen, kFetchBatch);
    if (messages.empty() || messages.back().sequence <= ids_.seen)
      return;
    ApplyBatch(messages, summary);
  }
}

bool GroupSync::CanStore(const TQSOData& record) {
  if (!known_)
    known_ = AllBandsAndModes(session_.RuleView());
  std::string bytes = EncodeQSO(record);
  return CanBeQso(QsoRecordView(bytes.data()), *known_);
}

void GroupSync::ApplyBatch(const std::vector<GroupMessage>& messages, GroupSyncSummary& summary) {
  if (ids_.live.size() != session_.log().QSOLog().size())
    RecordLocalChanges();
  GroupBatch batch = ApplyMessages(ids_, session_.log().QSOLog(), station_, messages,
                                   [this](const TQSOData& record) { return CanStore(record); });
  summary.received += batch.received;
  summary.applied += batch.applied;
  summary.skipped += batch.skipped.size();
  summary.skip_reasons.insert(summary.skip_reasons.end(), batch.skipped.begin(),
                              batch.skipped.end());
  // The side file learns what is about to reach the log first, so that a crash before the
  // log is written is not taken for changes made here.
  if (batch.ChangesLog()) {
    ids_ = std::move(batch.pending);
    SaveIdsNow();
    if (batch.rewrite)
      session_.ReplaceRecords(batch.records);
    else
      session_.AppendRecords(batch.records);
  }
  Report(batch.conflicts);
  ids_ = std::move(batch.done);
  SaveIds();
  summary.conflicts.insert(summary.conflicts.end(), batch.conflicts.begin(), batch.conflicts.end());
}

void GroupSync::Report(const std::vector<GroupConflict>& conflicts) {
  if (conflicts.empty())
    return;
  std::string text;
  for (const GroupConflict& c : conflicts)
    text += c.qso + " revision " + std::to_string(c.revision) + ": the version of " + c.loser +
            " lost to the version of " + c.winner + ": " + c.lost + "\n";
  std::string path = PathOf(kGroupConflictsFileName);
  std::optional<std::string> before = fs_.ReadFile(path);
  if (before)
    fs_.WriteAt(path, before->size(), text);
  else
    fs_.WriteFile(path, text);
}

}  // namespace mirva
