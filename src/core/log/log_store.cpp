#include "log/log_store.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "error.h"
#include "text/path_text.h"

namespace mirva {

LogStore::LogStore(FileSystem& fs, std::string dir) : fs_(fs), dir_(std::move(dir)) {}

std::string LogStore::PathOf(const std::string& name) const {
  return (std::filesystem::path(dir_) / name).string();
}

LogLoadReport LogStore::LoadLog() {
  LogLoadReport report;
  std::string path = PathOf(kLogFileName);
  std::optional<std::string> data = fs_.ReadFile(path);
  if (!data) {
    if (fs_.Exists(path))
      throw IoError("Cannot read the log file " + PathText(path));
    fs_.WriteFile(path, "");
    data.emplace();
  }
  std::size_t count = data->size() / kQsoRecordSize;
  std::size_t whole = count * kQsoRecordSize;
  if (whole != data->size()) {
    report.torn_bytes = data->size() - whole;
    report.torn_copy = SetAsideTornTail(std::string_view(*data).substr(whole));
    fs_.Truncate(path, whole);
  }
  TQSODataArr records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    records.push_back(DecodeQSO(data->data() + i * kQsoRecordSize));
  qso_log_ = std::move(records);
  Reindex();
  return report;
}

void LogStore::Reindex() {
  calls_.Clear();
  hour_leads_.clear();
  for (std::size_t i = 0; i < qso_log_.size(); ++i)
    Index(i);
}

namespace {
/// The hour text and the received exchange's first character, kept apart by a line feed.
std::string HourLeadKey(std::string_view time, char lead) {
  std::string key(time.substr(0, 2));
  key += '\n';
  key += lead;
  return key;
}
}  // namespace

void LogStore::Index(std::size_t index) {
  const TQSOData& q = qso_log_[index];
  calls_.Add(q.Call, static_cast<uint32_t>(index));
  CountHourLead(q, 1);
}

void LogStore::CountHourLead(const TQSOData& q, int delta) {
  if (!q.NumberRcvd.empty())
    hour_leads_[HourLeadKey(q.QSOTime, q.NumberRcvd[0])] += static_cast<uint32_t>(delta);
}

bool LogStore::HasQsoInHour(std::string_view hour, char lead) const {
  auto found = hour_leads_.find(HourLeadKey(hour, lead));
  return found != hour_leads_.end() && found->second > 0;
}

std::span<const uint32_t> LogStore::QsosOfCall(std::string_view call) const {
  return calls_.QsosOf(call);
}

std::string LogStore::SetAsideTornTail(std::string_view tail) {
  std::string name = kTornTailName;
  for (int n = 2; fs_.Exists(PathOf(name)); ++n)
    name = std::string(kTornTailName) + "." + std::to_string(n);
  fs_.WriteFile(PathOf(name), tail);
  return name;
}

void LogStore::AppendQSO(TQSOData record, uint8_t flags) {
  std::string path = PathOf(kLogFileName);
  try {
    fs_.Append(path, EncodeQSO(record));
  } catch (const IoError&) {
    // A write that failed half-way must not leave the next record off its boundary.
    try {
      if (fs_.Exists(path))
        fs_.Truncate(path, qso_log_.size() * kQsoRecordSize);
    } catch (const IoError&) {
    }
    throw;
  }
  AddInMemory(std::move(record), flags);
}

void LogStore::AddInMemory(TQSOData record, uint8_t flags) {
  CutToFieldSizes(record);
  qso_log_.push_back(std::move(record));
  Index(qso_log_.size() - 1);
  if (UpdateAfterAppend)
    UpdateAfterAppend(qso_log_.back(), flags);
}

void LogStore::ForgetInMemory() {
  qso_log_.clear();
  Reindex();
}

void LogStore::SaveAll() {
  ReplaceFile(qso_log_, false);
}

void LogStore::RewriteQSO(std::size_t index, TQSOData record) {
  if (index >= qso_log_.size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  CutToFieldSizes(record);
  fs_.WriteAt(PathOf(kLogFileName), index * kQsoRecordSize, EncodeQSO(record));
  bool same_call = qso_log_[index].Call == record.Call;
  CountHourLead(qso_log_[index], -1);
  qso_log_[index] = std::move(record);
  if (same_call)
    CountHourLead(qso_log_[index], 1);
  else
    Reindex();
}

void LogStore::DeleteQSO(std::size_t index) {
  if (index >= qso_log_.size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  TQSODataArr records = qso_log_;
  records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
  ReplaceFile(records, true);
  qso_log_ = std::move(records);
  Reindex();
  if (AfterReset)
    AfterReset();
}

void LogStore::ClearLog() {
  ReplaceFile({}, true);
  qso_log_.clear();
  Reindex();
  if (AfterReset)
    AfterReset();
}

void LogStore::ReplaceFile(const TQSODataArr& records, bool keep_backup) {
  std::string bytes(records.size() * kQsoRecordSize, '\0');
  for (std::size_t i = 0; i < records.size(); ++i)
    EncodeQSO(records[i], bytes.data() + i * kQsoRecordSize);
  std::string path = PathOf(kLogFileName);
  std::string temp = PathOf(kLogTempName);
  fs_.WriteFile(temp, bytes);
  if (keep_backup && fs_.Exists(path))
    fs_.LinkOrCopy(path, PathOf(kLogBackupName));
  fs_.Rename(temp, path);
}

}  // namespace mirva
