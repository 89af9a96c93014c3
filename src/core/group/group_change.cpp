#include "group/group_change.h"

#include <charconv>
#include <vector>

#include "log/input_rule.h"

namespace mirva {

namespace {

constexpr std::string_view kMagic = "MIRVA-GROUP";
constexpr std::string_view kVersion = "1";

bool StationChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

/// A decimal number from 1 to 2^32-1 without a sign or leading zeros.
std::optional<uint32_t> ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 10 || text[0] == '0')
    return std::nullopt;
  uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::vector<std::string_view> SplitSpaces(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == ' ') {
      words.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  return words;
}

/// Why the record cannot be stored as a QSO of the log; empty when it can.
std::string RecordFault(std::string_view bytes) {
  if (bytes.size() != kQsoRecordSize)
    return "a record of " + std::to_string(bytes.size()) + " bytes instead of " +
           std::to_string(kQsoRecordSize);
  TQSOData record = DecodeQSO(bytes.data());
  if (EncodeQSO(record) != bytes)
    return "a record that is not as the log stores it";
  for (auto [field, text] : {std::pair{kCallInput, &record.Call},
                             {kRprtSentInput, &record.RprtSent},
                             {kNumberSentInput, &record.NumberSent},
                             {kRprtRcvdInput, &record.RprtRcvd},
                             {kNumberRcvdInput, &record.NumberRcvd},
                             {kNoteInput, &record.Note}}) {
    CheckedInput checked = CheckInputText(field, *text);
    if (checked.fault != InputFault::kNone)
      return checked.message;
  }
  return {};
}

}  // namespace

bool ValidStationName(std::string_view name) {
  if (name.empty() || name.size() > kMaxStationNameSize || name[0] == '-' || name[0] == '_')
    return false;
  for (char c : name) {
    if (!StationChar(c))
      return false;
  }
  return true;
}

std::string MessageIdOf(const GroupChange& change) {
  return change.station + "." + std::to_string(change.number) + "." +
         std::to_string(change.revision) + "." + change.editor;
}

std::string EncodeChange(const GroupChange& change) {
  bool upsert = change.kind == GroupChange::Kind::kUpsert;
  std::string bytes = std::string(kMagic) + " " + std::string(kVersion) + (upsert ? " U " : " T ") +
                      change.station + " " + std::to_string(change.number) + " " +
                      std::to_string(change.revision) + " " + change.editor + "\n";
  if (upsert)
    bytes += EncodeQSO(change.record);
  return bytes;
}

DecodedChange DecodeChange(std::string_view bytes) {
  auto fail = [](std::string why) { return DecodedChange{std::nullopt, std::move(why)}; };
  if (bytes.size() > kMaxGroupChangeSize)
    return fail("a message of " + std::to_string(bytes.size()) + " bytes, more than " +
                std::to_string(kMaxGroupChangeSize));
  std::size_t end = bytes.find('\n');
  if (end == std::string_view::npos)
    return fail("no header line");
  std::vector<std::string_view> words = SplitSpaces(bytes.substr(0, end));
  if (words.size() != 7 || words[0] != kMagic)
    return fail("not a change of the group log");
  if (words[1] != kVersion)
    return fail("a change of version " + std::string(words[1]).substr(0, 10) + ", not " +
                std::string(kVersion));
  GroupChange change;
  if (words[2] == "U")
    change.kind = GroupChange::Kind::kUpsert;
  else if (words[2] == "T")
    change.kind = GroupChange::Kind::kTombstone;
  else
    return fail("an unknown kind of change");
  if (!ValidStationName(words[3]) || !ValidStationName(words[6]))
    return fail("a station name that is not valid");
  std::optional<uint32_t> number = ParseCount(words[4]);
  std::optional<uint32_t> revision = ParseCount(words[5]);
  if (!number || !revision)
    return fail("a QSO number or revision that is not valid");
  change.station = words[3];
  change.number = *number;
  change.revision = *revision;
  change.editor = words[6];
  std::string_view rest = bytes.substr(end + 1);
  if (change.kind == GroupChange::Kind::kTombstone) {
    if (!rest.empty())
      return fail("a delete that carries a record");
  } else {
    if (std::string fault = RecordFault(rest); !fault.empty())
      return fail(fault);
    change.record = DecodeQSO(rest.data());
  }
  return {std::move(change), {}};
}

}  // namespace mirva
