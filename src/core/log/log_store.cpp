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
  std::size_t whole = data->size() / kQsoRecordSize * kQsoRecordSize;
  if (whole != data->size()) {
    report.torn_bytes = data->size() - whole;
    report.torn_copy = SetAsideTornTail(std::string_view(*data).substr(whole));
    fs_.Truncate(path, whole);
    data->resize(whole);
  }
  records_ = std::move(*data);
  Reindex();
  return report;
}

void LogStore::Reindex() {
  calls_.Clear();
  hour_leads_.clear();
  for (std::size_t i = 0, n = QSOLog().size(); i < n; ++i)
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
  QsoRecordView q = QSOLog().Record(index);
  calls_.Add(q.Call(), static_cast<uint32_t>(index));
  CountHourLead(q, 1);
}

void LogStore::CountHourLead(QsoRecordView q, int delta) {
  std::string_view rcvd = q.NumberRcvd();
  if (!rcvd.empty())
    hour_leads_[HourLeadKey(q.QSOTime(), rcvd[0])] += static_cast<uint32_t>(delta);
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

void LogStore::AppendQSO(TQSOData record) {
  std::string path = PathOf(kLogFileName);
  std::string bytes = EncodeQSO(record);
  try {
    if (batch_)
      fs_.WriteAtUnsynced(path, records_.size(), bytes);
    else
      fs_.Append(path, bytes);
  } catch (const IoError&) {
    // A write that failed half-way must not leave the next record off its boundary.
    try {
      if (fs_.Exists(path))
        fs_.Truncate(path, records_.size());
    } catch (const IoError&) {
    }
    throw;
  }
  AddRecord(bytes);
}

void LogStore::EndBatch() {
  if (!batch_)
    return;
  batch_ = false;
  fs_.Sync(PathOf(kLogFileName));
}

void LogStore::AddInMemory(TQSOData record) {
  AddRecord(EncodeQSO(record));
}

void LogStore::AddRecord(std::string_view bytes) {
  records_ += bytes;
  Index(QSOLog().size() - 1);
}

void LogStore::ForgetInMemory() {
  records_ = std::string();
  Reindex();
}

void LogStore::SaveAll() {
  ReplaceFile(records_, false);
}

void LogStore::RewriteQSO(std::size_t index, TQSOData record) {
  if (index >= QSOLog().size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  std::string bytes = EncodeQSO(record);
  fs_.WriteAt(PathOf(kLogFileName), index * kQsoRecordSize, bytes);
  QsoRecordView stored = QSOLog().Record(index);
  bool same_call = stored.Call() == QsoRecordView(bytes.data()).Call();
  CountHourLead(stored, -1);
  std::copy(bytes.begin(), bytes.end(), records_.begin() + index * kQsoRecordSize);
  if (same_call)
    CountHourLead(stored, 1);
  else
    Reindex();
}

void LogStore::DeleteQSO(std::size_t index) {
  if (index >= QSOLog().size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  std::string records;
  records.reserve(records_.size() - kQsoRecordSize);
  records.append(records_, 0, index * kQsoRecordSize);
  records.append(records_, (index + 1) * kQsoRecordSize);
  ReplaceFile(records, true);
  records_ = std::move(records);
  Reindex();
}

void LogStore::ClearLog() {
  ReplaceFile("", true);
  records_ = std::string();
  Reindex();
}

void LogStore::ReplaceFile(std::string_view records, bool keep_backup) {
  std::string path = PathOf(kLogFileName);
  std::string temp = PathOf(kLogTempName);
  fs_.WriteFile(temp, records);
  if (keep_backup && fs_.Exists(path))
    fs_.LinkOrCopy(path, PathOf(kLogBackupName));
  fs_.Rename(temp, path);
}

}  // namespace mirva
