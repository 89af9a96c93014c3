#include "group/group_ids.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <unordered_map>

#include "group/group_change.h"
#include "log/qso_record.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::string_view kHeader = "mirva-group-ids 1";

void AppendHex(std::string& out, uint64_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  char text[16];
  for (int i = 15; i >= 0; --i, value >>= 4)
    text[i] = kDigits[value & 15];
  out.append(text, sizeof text);
}

void AppendNumber(std::string& out, uint64_t value) {
  char text[20];
  out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

/// A station name, or "-" for none.
void AppendName(std::string& out, const std::string& name) {
  out += name.empty() ? std::string_view("-") : std::string_view(name);
}

void AppendVersion(std::string& out, const GroupVersion& v) {
  out += ' ';
  AppendNumber(out, v.revision);
  out += ' ';
  AppendName(out, v.editor);
  out += ' ';
  if (v.deleted)
    out += '-';
  else
    AppendHex(out, v.digest);
  out += ' ';
  AppendNumber(out, v.sequence);
}

void AppendEntry(std::string& out, char tag, const GroupEntry& e) {
  out += tag;
  out += ' ';
  AppendName(out, e.station);
  out += ' ';
  AppendNumber(out, e.number);
  AppendVersion(out, e.current);
  if (e.next)
    AppendVersion(out, *e.next);
  out += '\n';
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value, int base = 10) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

/// A station name, or "-" for none.
bool ParseName(std::string_view text, std::string& name) {
  if (text == "-") {
    name.clear();
    return true;
  }
  name = text;
  return ValidStationName(text);
}

bool ParseVersion(const std::vector<std::string_view>& words, std::size_t at, GroupVersion& v) {
  if (!ParseNumber(words[at], v.revision) || !ParseName(words[at + 1], v.editor) ||
      !ParseNumber(words[at + 3], v.sequence))
    return false;
  v.deleted = words[at + 2] == "-";
  return v.deleted || (words[at + 2].size() == 16 && ParseNumber(words[at + 2], v.digest, 16));
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  for (std::size_t start = 0; start <= line.size();) {
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos)
      end = line.size();
    words.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

}  // namespace

uint64_t BytesDigest(std::string_view bytes) {
  // Eight bytes at a time, read as little-endian so that every machine gets the same digest.
  uint64_t hash = 14695981039346656037ull ^ bytes.size();
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word = 0;
    for (std::size_t k = 0; k < 8; ++k)
      word |= uint64_t{static_cast<unsigned char>(bytes[i + k])} << (8 * k);
    hash = (hash ^ word) * 0x9e3779b97f4a7c15ull;
    hash ^= hash >> 29;
  }
  for (; i < bytes.size(); ++i)
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
  return hash ^ (hash >> 32);
}

uint64_t RecordDigest(QsoRecordView record) {
  // The record's bytes as EncodeQSO writes them again: each length cut to its field and
  // zeros after each text and at the end.
  static constexpr TextSlot kSlots[] = {
      kTimeSlot,     kCallSlot,       kBandSlot, kModeSlot,      kRprtSentSlot,     kNumberSentSlot,
      kRprtRcvdSlot, kNumberRcvdSlot, kNoteSlot, kMultsTextSlot, kCountryPrefixSlot};
  std::array<char, kQsoRecordSize> bytes;
  std::copy_n(record.Bytes().data(), kQsoRecordSize, bytes.begin());
  for (const TextSlot& slot : kSlots) {
    std::size_t n = record.Text(slot).size();
    bytes[slot.offset] = static_cast<char>(n);
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(slot.offset + 1 + n), slot.capacity - n,
                '\0');
  }
  constexpr std::size_t kEnd = kCountryPrefixSlot.offset + 1 + kCountryPrefixSlot.capacity;
  std::fill(bytes.begin() + kEnd, bytes.end(), '\0');
  return BytesDigest({bytes.data(), bytes.size()});
}

std::string FormatGroupIds(const GroupIds& ids) {
  std::string text;
  text.reserve(64 * (ids.live.size() + ids.deleted.size() + 2));
  text += kHeader;
  text += "\nseen ";
  AppendNumber(text, ids.seen);
  text += ' ';
  AppendHex(text, ids.seen_digest);
  text += " next ";
  AppendNumber(text, ids.next_number);
  text += '\n';
  for (const GroupEntry& e : ids.live)
    AppendEntry(text, 'L', e);
  for (const GroupEntry& e : ids.deleted)
    AppendEntry(text, 'D', e);
  return text + "end\n";
}

bool ChangeUnderWay(const GroupIds& ids) {
  auto pending = [](const GroupEntry& e) { return e.next.has_value(); };
  return std::any_of(ids.live.begin(), ids.live.end(), pending) ||
         std::any_of(ids.deleted.begin(), ids.deleted.end(), pending);
}

std::optional<GroupIds> ParseGroupIds(std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() < 3 || lines[0] != kHeader || lines.back() != "end")
    return std::nullopt;
  GroupIds ids;
  std::vector<std::string_view> head = Words(lines[1]);
  if (head.size() != 5 || head[0] != "seen" || head[3] != "next" ||
      !ParseNumber(head[1], ids.seen) || head[2].size() != 16 ||
      !ParseNumber(head[2], ids.seen_digest, 16) || !ParseNumber(head[4], ids.next_number))
    return std::nullopt;
  for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
    std::vector<std::string_view> words = Words(lines[i]);
    if (words.size() != 7 && words.size() != 11)
      return std::nullopt;
    GroupEntry e;
    if (!ParseName(words[1], e.station) || !ParseNumber(words[2], e.number) ||
        !ParseVersion(words, 3, e.current))
      return std::nullopt;
    if (words.size() == 11 && !ParseVersion(words, 7, e.next.emplace()))
      return std::nullopt;
    if (words[0] == "L" && (e.Identified() || (e.number == 0 && !e.next)))
      ids.live.push_back(std::move(e));
    else if (words[0] == "D" && e.Identified() && e.current.deleted)
      ids.deleted.push_back(std::move(e));
    else
      return std::nullopt;
  }
  return ids;
}

namespace {

/// A QSO that a change from the group was about to add, and that never reached the log.
bool PendingAdd(const GroupEntry& e) {
  return e.Identified() && e.current.revision == 0;
}

/// The entry with `version` as its current one and nothing pending.
GroupEntry Settled(const GroupEntry& entry, const GroupVersion& version) {
  GroupEntry settled;
  settled.station = entry.station;
  settled.number = entry.number;
  settled.current = version;
  return settled;
}

/// Whether the record with `digest` that matched the entry is its pending version.
bool Reached(const GroupEntry& e, uint64_t digest) {
  return e.next && !e.next->deleted && e.next->digest == digest &&
         (PendingAdd(e) || e.current.digest != digest);
}

/// Where a crash after a batch was appended left each of its pending adds: their positions in
/// the log, beside the entries from `first`, when the log grew exactly by them (the records of
/// the pending deletes gone); otherwise none.
struct AppendedPlaces {
  std::size_t first = 0;
  std::size_t at = 0;
  bool grown = false;
};

AppendedPlaces PlacesOfPendingAdds(const std::vector<GroupEntry>& entries, std::size_t records) {
  AppendedPlaces places;
  places.first = entries.size();
  while (places.first > 0 && PendingAdd(entries[places.first - 1]) &&
         !entries[places.first - 1].next->deleted)
    --places.first;
  for (std::size_t k = 0; k < places.first; ++k) {
    const GroupEntry& e = entries[k];
    if (PendingAdd(e) || (e.next && e.next->deleted) || e.current.deleted)
      continue;
    ++places.at;
  }
  places.grown =
      places.first < entries.size() && records == places.at + (entries.size() - places.first);
  return places;
}

}  // namespace

LogDifference CompareLog(const QsoLog& log, const std::vector<GroupEntry>& entries) {
  struct Candidates {
    std::vector<std::size_t> entries;
    std::size_t first = 0;
  };
  std::unordered_map<uint64_t, Candidates> by_digest;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const GroupEntry& e = entries[k];
    if (!e.current.deleted && !PendingAdd(e))
      by_digest[e.current.digest].entries.push_back(k);
    if (e.next && !e.next->deleted && !(e.current.digest == e.next->digest && !PendingAdd(e)))
      by_digest[e.next->digest].entries.push_back(k);
  }
  // Matches keep the order of both lists: a record matches the first entry after the last
  // match that has its digest.
  std::size_t n = log.size();
  std::vector<uint64_t> digests(n);
  std::vector<std::size_t> match(n, entries.size());
  std::size_t after = 0;
  for (std::size_t i = 0; i < n; ++i) {
    digests[i] = RecordDigest(log.Record(i));
    auto found = by_digest.find(digests[i]);
    if (found == by_digest.end())
      continue;
    Candidates& c = found->second;
    while (c.first < c.entries.size() && c.entries[c.first] < after)
      ++c.first;
    if (c.first < c.entries.size()) {
      match[i] = c.entries[c.first++];
      after = match[i] + 1;
    }
  }

  // A pending add whose record differs was appended and then edited here, when the log grew
  // exactly by the batch, some other version of the batch reached the log (so that it was
  // written, and the records at those places are not new QSOs logged after a crash before
  // it), and the record at its place matches nothing else.
  AppendedPlaces appended = PlacesOfPendingAdds(entries, n);
  bool written = false;
  for (std::size_t i = 0; i < n && !written; ++i)
    written = match[i] < entries.size() && Reached(entries[match[i]], digests[i]);
  appended.grown = appended.grown && written;
  LogDifference diff;
  std::size_t i = 0;
  std::size_t k = 0;
  while (i < n || k < entries.size()) {
    // The records and entries up to the next match are paired in order as edits.
    std::size_t j = i;
    while (j < n && match[j] == entries.size())
      ++j;
    std::size_t matched = j < n ? match[j] : entries.size();
    std::vector<GroupEntry> gone;
    std::unordered_map<std::size_t, GroupEntry> edited_adds;
    for (; k < matched; ++k) {
      const GroupEntry& e = entries[k];
      if (e.next && e.next->deleted) {
        if (e.Identified())
          diff.settled_deletes.push_back(Settled(e, *e.next));
      } else if (!PendingAdd(e)) {
        gone.push_back(Settled(e, e.current));
      } else if (appended.grown && k >= appended.first) {
        std::size_t at = appended.at + (k - appended.first);
        if (at >= i && at < j)
          edited_adds.emplace(at, Settled(e, *e.next));
      }
    }
    std::size_t g = 0;
    for (; i < j; ++i) {
      if (auto add = edited_adds.find(i); add != edited_adds.end()) {
        diff.edited.push_back(diff.live.size());
        diff.edited_digests.push_back(digests[i]);
        diff.live.push_back(std::move(add->second));
      } else if (g < gone.size()) {
        diff.edited.push_back(diff.live.size());
        diff.edited_digests.push_back(digests[i]);
        diff.live.push_back(std::move(gone[g++]));
      } else {
        GroupEntry fresh;
        fresh.current.digest = digests[i];
        diff.live.push_back(std::move(fresh));
      }
    }
    for (; g < gone.size(); ++g) {
      if (gone[g].Identified())
        diff.removed.push_back(std::move(gone[g]));
    }
    if (j < n) {
      const GroupEntry& e = entries[matched];
      diff.live.push_back(Settled(e, Reached(e, digests[j]) ? *e.next : e.current));
      i = j + 1;
      k = matched + 1;
    }
  }
  return diff;
}

bool LogMatches(const QsoLog& log, const std::vector<GroupEntry>& entries) {
  if (log.size() != entries.size())
    return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const GroupEntry& e = entries[i];
    if (e.next || e.current.deleted || e.current.digest != RecordDigest(log.Record(i)))
      return false;
  }
  return true;
}

}  // namespace mirva
