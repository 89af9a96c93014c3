#include "group/group_apply.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "group/group_change.h"
#include "log/date_value.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

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

bool SameContent(const GroupVersion& a, const GroupVersion& b) {
  return a.deleted == b.deleted && (a.deleted || a.digest == b.digest);
}

enum class Outcome { kIgnore, kTake, kTakeOverHeld, kKeepOverIncoming };

/// How a version from the group settles against the one held here: a higher revision wins;
/// of two different versions of one revision, the one later in the stream wins, and a version
/// not sent yet will be later than any. A lower revision loses; it is a conflict when it came
/// into the stream after the version held, made without knowing it. Revision 1 (the QSO as
/// its station logged it, which every later revision was made from) and an earlier version of
/// the station that made the one held were known to it: they come after it when a station
/// that had not seen the edit sends its history again to a broker that lost its store, and
/// are no conflict.
Outcome Settle(const GroupVersion& held, const GroupVersion& incoming) {
  if (incoming.revision > held.revision)
    return Outcome::kTake;
  if (SameContent(held, incoming))
    return Outcome::kIgnore;
  bool incoming_later = held.sequence != 0 && incoming.sequence > held.sequence;
  if (incoming.revision < held.revision) {
    bool known = incoming.revision == 1 || incoming.editor == held.editor;
    return incoming_later && !known ? Outcome::kKeepOverIncoming : Outcome::kIgnore;
  }
  return incoming_later ? Outcome::kTakeOverHeld : Outcome::kKeepOverIncoming;
}

/// The entry of a QSO that the change is about to add to the log: only its next version.
GroupEntry ToBeAdded(const GroupChange& change, const GroupVersion& version) {
  GroupEntry entry;
  entry.station = change.station;
  entry.number = change.number;
  entry.next = version;
  return entry;
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

GroupBatch ApplyMessages(const GroupIds& ids, const QsoLog& log, std::string_view station,
                         const std::vector<GroupMessage>& messages,
                         const std::function<bool(const TQSOData&)>& can_store) {
  GroupBatch batch;
  std::vector<GroupEntry> live = ids.live;
  std::vector<GroupEntry> deleted = ids.deleted;
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

  uint32_t next_number = ids.next_number;
  uint64_t last = ids.seen;
  uint64_t last_digest = ids.seen_digest;
  for (const GroupMessage& message : messages) {
    if (message.sequence <= last)
      continue;
    last = message.sequence;
    last_digest = BytesDigest(message.bytes);
    ++batch.received;
    DecodedChange decoded = DecodeChange(message.bytes);
    std::string fault = decoded.error;
    if (decoded.change && decoded.change->kind == GroupChange::Kind::kUpsert &&
        !can_store(decoded.change->record))
      fault = "a record that cannot be a QSO (its callsign, date, time, band or mode)";
    if (!fault.empty()) {
      batch.skipped.push_back("message " + std::to_string(message.sequence) + ": " + fault);
      continue;
    }
    const GroupChange& change = *decoded.change;
    bool upsert = change.kind == GroupChange::Kind::kUpsert;
    GroupVersion incoming = VersionOf(change, message.sequence);
    if (change.station == station)
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
      where[key] = {Place::kAdded, added.size()};
      added.push_back({ToBeAdded(change, incoming), change.record});
      ++batch.applied;
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
      batch.conflicts.push_back({key, incoming.revision, change.editor, held.editor,
                                 Describe(upsert ? &change.record : nullptr)});
      continue;
    }
    if (outcome == Outcome::kTakeOverHeld)
      batch.conflicts.push_back({key, incoming.revision, held.editor, change.editor,
                                 Describe(held_record ? &*held_record : nullptr)});
    ++batch.applied;
    if (place == Place::kDeleted) {
      if (!upsert) {
        entry.current = incoming;
        continue;
      }
      resurrected[index] = true;
      where[key] = {Place::kAdded, added.size()};
      added.push_back({ToBeAdded(change, incoming), change.record});
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

  GroupIds& pending = batch.pending;
  GroupIds& done = batch.done;
  pending = ids;
  std::vector<TQSOData> appended;
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
      batch.rewrite = true;
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

  if (batch.rewrite) {
    batch.records.reserve(live.size() + appended.size());
    for (std::size_t i = 0; i < live.size(); ++i) {
      if (live[i].next && live[i].next->deleted)
        continue;
      auto r = rewritten.find(i);
      batch.records.push_back(r != rewritten.end() ? r->second : log[i]);
    }
  }
  batch.records.insert(batch.records.end(), appended.begin(), appended.end());
  return batch;
}

}  // namespace mirva
