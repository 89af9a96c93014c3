#include "group/group_sync.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "log/date_value.h"
#include "replace_file.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

/// Changes applied at once: each batch writes the side file twice.
constexpr std::size_t kFetchBatch = 4096;

std::string KeyOf(std::string_view station, uint32_t number) {
  return std::string(station) + "/" + std::to_string(number);
}

uint64_t DigestOf(const TQSOData& record) {
  std::string bytes = EncodeQSO(record);
  return RecordDigest(QsoRecordView(bytes.data()));
}

GroupVersion VersionOf(const GroupChange& change, uint64_t sequence) {
  bool deleted = change.kind == GroupChange::Kind::kTombstone;
  return {change.revision, change.editor, deleted ? 0 : DigestOf(change.record), deleted, sequence};
}

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

bool SameContent(const GroupVersion& a, const GroupVersion& b) {
  return a.deleted == b.deleted && (a.deleted || a.digest == b.digest);
}

enum class Outcome { kIgnore, kTake, kTakeOverHeld, kKeepOverIncoming };

/// How a version from the group settles against the one held here: a higher revision wins;
/// of two different versions of one revision, the one later in the stream wins, and a version
/// not sent yet will be later than any.
Outcome Settle(const GroupVersion& held, const GroupVersion& incoming) {
  if (incoming.revision != held.revision)
    return incoming.revision > held.revision ? Outcome::kTake : Outcome::kIgnore;
  if (SameContent(held, incoming))
    return Outcome::kIgnore;
  bool incoming_later = held.sequence != 0 && incoming.sequence > held.sequence;
  return incoming_later ? Outcome::kTakeOverHeld : Outcome::kKeepOverIncoming;
}

/// The record's fields on one line, or "deleted".
std::string Describe(const TQSOData* record) {
  if (!record)
    return "deleted";
  const TQSOData& q = *record;
  std::string date =
      IsCalendarDate(q.QSODate) ? FormatIsoDate(q.QSODate) : std::to_string(q.QSODate);
  std::string text = date;
  for (const std::string* field : {&q.QSOTime, &q.Call, &q.Band, &q.Mode, &q.RprtSent,
                                   &q.NumberSent, &q.RprtRcvd, &q.NumberRcvd, &q.Note})
    text += " " + (field->empty() ? std::string("-") : Cp1251ToUtf8(*field));
  return text;
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
                                "\" is not 1 to 32 Latin letters, digits, \"-\" or \"_\"");
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
  ReplaceFile(fs_, PathOf(kGroupIdsFileName), FormatGroupIds(ids_),
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

bool GroupSync::Scan(std::vector<GroupChange>& changes) {
  const QsoLog log = session_.log().QSOLog();
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
  if (StreamLost()) {
    // Every version this station holds is sent again.
    for (GroupEntry& entry : ids_.live)
      entry.current.sequence = 0;
    for (GroupEntry& entry : ids_.deleted)
      entry.current.sequence = 0;
    ids_.seen = 0;
    ids_.seen_digest = 0;
    SaveIds();
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

bool GroupSync::StreamLost() {
  if (ids_.seen == 0)
    return false;
  if (transport_.LastSequence() < ids_.seen)
    return true;
  std::vector<GroupMessage> last = transport_.Fetch(ids_.seen - 1, 1);
  return last.empty() || last[0].sequence != ids_.seen ||
         BytesDigest(last[0].bytes) != ids_.seen_digest;
}

void GroupSync::Send(GroupSyncSummary& summary) {
  std::unordered_map<std::string, GroupVersion*> held;
  for (std::vector<GroupEntry>* list : {&ids_.live, &ids_.deleted}) {
    for (GroupEntry& entry : *list) {
      if (entry.Identified())
        held[KeyOf(entry.station, entry.number)] = &entry.current;
    }
  }
  std::size_t done = 0;
  auto settle = [&] {
    if (done > 0) {
      SaveIds();
      outbox_.DropFirst(done);
    }
  };
  try {
    for (const GroupChange& change : outbox_.changes()) {
      uint64_t sequence = transport_.Publish(MessageIdOf(change), EncodeChange(change));
      auto found = held.find(KeyOf(change.station, change.number));
      if (found != held.end()) {
        GroupVersion& version = *found->second;
        if (version.revision == change.revision && version.editor == change.editor &&
            version.deleted == (change.kind == GroupChange::Kind::kTombstone))
          version.sequence = sequence;
      }
      ++done;
      ++summary.sent;
    }
  } catch (const GroupError&) {
    settle();
    throw;
  }
  settle();
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
  const QsoLog log = session_.log().QSOLog();
  std::vector<GroupEntry> live = ids_.live;
  std::vector<GroupEntry> deleted = ids_.deleted;
  std::vector<bool> resurrected(deleted.size());
  // A QSO new to this log, the record it brings and its version, as `next`.
  struct Added {
    GroupEntry entry;
    TQSOData record;
  };
  std::vector<Added> added;
  std::map<std::size_t, TQSOData> rewritten;
  enum class Place { kLive, kAdded, kDeleted };
  std::unordered_map<std::string, std::pair<Place, std::size_t>> where;
  std::unordered_map<uint64_t, std::vector<std::size_t>> unidentified;
  for (std::size_t i = live.size(); i-- > 0;) {
    if (live[i].Identified())
      where[KeyOf(live[i].station, live[i].number)] = {Place::kLive, i};
    else
      unidentified[live[i].current.digest].push_back(i);
  }
  for (std::size_t i = 0; i < deleted.size(); ++i)
    where[KeyOf(deleted[i].station, deleted[i].number)] = {Place::kDeleted, i};

  std::vector<GroupConflict> conflicts;
  uint32_t next_number = ids_.next_number;
  uint64_t last = ids_.seen;
  uint64_t last_digest = ids_.seen_digest;
  for (const GroupMessage& message : messages) {
    if (message.sequence <= last)
      continue;
    last = message.sequence;
    last_digest = BytesDigest(message.bytes);
    ++summary.received;
    DecodedChange decoded = DecodeChange(message.bytes);
    std::string fault = decoded.error;
    if (decoded.change && decoded.change->kind == GroupChange::Kind::kUpsert &&
        !CanStore(decoded.change->record))
      fault = "a record that cannot be a QSO (its callsign, date, time, band or mode)";
    if (!fault.empty()) {
      ++summary.skipped;
      summary.skip_reasons.push_back("message " + std::to_string(message.sequence) + ": " + fault);
      continue;
    }
    const GroupChange& change = *decoded.change;
    bool upsert = change.kind == GroupChange::Kind::kUpsert;
    GroupVersion incoming = VersionOf(change, message.sequence);
    if (change.station == station_)
      next_number = std::max(next_number, change.number + 1);
    std::string key = KeyOf(change.station, change.number);
    auto at = where.find(key);
    if (at == where.end()) {
      GroupEntry entry{change.station, change.number, incoming, std::nullopt};
      if (!upsert) {
        where[key] = {Place::kDeleted, deleted.size()};
        deleted.push_back(std::move(entry));
        resurrected.push_back(false);
        continue;
      }
      // A record of the log without an identity that is this QSO takes its identity.
      auto same = unidentified.find(incoming.digest);
      if (same != unidentified.end() && !same->second.empty()) {
        std::size_t i = same->second.back();
        same->second.pop_back();
        live[i] = std::move(entry);
        where[key] = {Place::kLive, i};
        continue;
      }
      entry.current = {};
      entry.next = incoming;
      where[key] = {Place::kAdded, added.size()};
      added.push_back({std::move(entry), change.record});
      ++summary.applied;
      continue;
    }
    auto [place, index] = at->second;
    GroupEntry& entry = place == Place::kLive    ? live[index]
                        : place == Place::kAdded ? added[index].entry
                                                 : deleted[index];
    GroupVersion& held = entry.next ? *entry.next : entry.current;
    std::optional<TQSOData> held_record;
    if (!held.deleted) {
      if (place == Place::kAdded)
        held_record = added[index].record;
      else if (auto r = rewritten.find(index); r != rewritten.end())
        held_record = r->second;
      else
        held_record = log[index];
    }
    Outcome outcome = Settle(held, incoming);
    if (outcome == Outcome::kIgnore) {
      if (held.revision == incoming.revision)
        held.sequence = std::max(held.sequence, incoming.sequence);
      continue;
    }
    if (outcome == Outcome::kKeepOverIncoming) {
      conflicts.push_back({key, incoming.revision, change.editor, held.editor,
                           Describe(upsert ? &change.record : nullptr)});
      continue;
    }
    if (outcome == Outcome::kTakeOverHeld)
      conflicts.push_back({key, incoming.revision, held.editor, change.editor,
                           Describe(held_record ? &*held_record : nullptr)});
    ++summary.applied;
    if (place == Place::kDeleted) {
      if (!upsert) {
        entry.current = incoming;
        continue;
      }
      resurrected[index] = true;
      where[key] = {Place::kAdded, added.size()};
      added.push_back({{change.station, change.number, {}, incoming}, change.record});
      continue;
    }
    entry.next = incoming;
    if (place == Place::kAdded) {
      if (upsert)
        added[index].record = change.record;
    } else if (upsert) {
      rewritten[index] = change.record;
    } else {
      rewritten.erase(index);
    }
  }

  // The side file learns what is about to reach the log first, so that a crash before the
  // log is written is not taken for changes made here.
  bool rewrite = false;
  std::vector<TQSOData> appended;
  GroupIds pending = ids_;
  GroupIds done;
  done.seen = last;
  done.seen_digest = last_digest;
  pending.next_number = done.next_number = next_number;
  pending.live = live;
  pending.deleted.clear();
  for (std::size_t i = 0; i < deleted.size(); ++i) {
    if (!resurrected[i])
      pending.deleted.push_back(deleted[i]);
  }
  for (std::size_t i = 0; i < live.size(); ++i) {
    GroupEntry entry = live[i];
    if (entry.next) {
      rewrite = true;
      entry.current = *entry.next;
      entry.next.reset();
    }
    (entry.current.deleted ? done.deleted : done.live).push_back(std::move(entry));
  }
  for (Added& a : added) {
    if (!a.entry.next->deleted) {
      pending.live.push_back(a.entry);
      appended.push_back(a.record);
    }
    a.entry.current = *a.entry.next;
    a.entry.next.reset();
    (a.entry.current.deleted ? done.deleted : done.live).push_back(std::move(a.entry));
  }
  done.deleted.insert(done.deleted.end(), pending.deleted.begin(), pending.deleted.end());

  if (rewrite || !appended.empty()) {
    ids_ = std::move(pending);
    SaveIds();
    if (rewrite) {
      std::vector<TQSOData> records;
      records.reserve(live.size() + appended.size());
      for (std::size_t i = 0; i < live.size(); ++i) {
        if (live[i].next && live[i].next->deleted)
          continue;
        auto r = rewritten.find(i);
        records.push_back(r != rewritten.end() ? r->second : log[i]);
      }
      records.insert(records.end(), appended.begin(), appended.end());
      session_.ReplaceRecords(records);
    } else {
      session_.AppendRecords(appended);
    }
  }
  Report(conflicts);
  ids_ = std::move(done);
  SaveIds();
  summary.conflicts.insert(summary.conflicts.end(), conflicts.begin(), conflicts.end());
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
