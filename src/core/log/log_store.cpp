#include "log/log_store.h"

#include <algorithm>
#include <stdexcept>

#include "error.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {
std::string NotLoaded(const std::string& path) {
  return "The log file " + PathText(path) + " is not loaded, so the log cannot be changed";
}
}  // namespace

LogStore::LogStore(FileSystem& fs, std::string dir)
    : fs_(fs), dir_(std::move(dir)), refusal_(NotLoaded(PathOf(kLogFileName))) {}

std::string LogStore::PathOf(const std::string& name) const {
  return JoinPath(dir_, name);
}

LogLoadReport LogStore::LoadLog() {
  return LoadLog(access_);
}

LogLoadReport LogStore::LoadLog(LogAccess access) {
  access_ = access;
  LogLoadReport report;
  std::string path = PathOf(kLogFileName);
  refusal_ = NotLoaded(path);
  std::string refusal = access == LogAccess::kRead
                            ? "The log " + PathText(path) + " was opened for reading only"
                            : std::string();
  std::optional<std::string> data = fs_.ReadFile(path);
  if (!data) {
    if (fs_.Exists(path))
      throw IoError("Cannot read the log file " + PathText(path));
    if (access == LogAccess::kWrite)
      fs_.WriteFile(path, "");
    else if (!fs_.Exists(dir_))
      throw IoError("Cannot read the log file " + PathText(path) + ": there is no such folder");
    data.emplace();
  }
  std::size_t whole = data->size() / kQsoRecordSize * kQsoRecordSize;
  if (whole != data->size()) {
    report.torn_bytes = data->size() - whole;
    if (access == LogAccess::kWrite)
      SetAsideTornTail(std::string_view(*data).substr(whole), whole, report);
    if (!report.set_aside_error.empty())
      refusal =
          "The log " + PathText(path) + " ends with a partial record of " +
          std::to_string(report.torn_bytes) +
          " bytes that could not be set aside, so it is not changed: " + report.set_aside_error;
    data->resize(whole);
  }
  records_ = std::move(*data);
  Reindex();
  on_file_.reset();
  refusal_ = std::move(refusal);
  return report;
}

void LogStore::RequireChangeable() const {
  if (!refusal_.empty())
    throw IoError(refusal_);
  std::string path = PathOf(kLogFileName);
  if (fs_.ReadOnly(path))
    throw IoError("The log file " + PathText(path) + " is read-only, so the log cannot be changed");
}

void LogStore::ChangeOrUndo(const std::function<void()>& change,
                            const std::function<void()>& undo) {
  try {
    change();
  } catch (const IoError& failure) {
    try {
      undo();
    } catch (const IoError& undo_failure) {
      std::string path = PathText(PathOf(kLogFileName));
      refusal_ = "The log file " + path +
                 " may hold part of a change that failed; the log takes no changes until it "
                 "is loaded again";
      throw IoError(std::string(failure.what()) + "\r\nThe log file " + path +
                    " could not be put back as it was: " + undo_failure.what() +
                    "\r\nThe log takes no changes until it is loaded again.");
    }
    throw;
  }
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

void LogStore::SetAsideTornTail(std::string_view tail, std::size_t whole, LogLoadReport& report) {
  std::string path = PathOf(kLogFileName);
  try {
    report.torn_copy = CopyTornTail(tail);
    fs_.Truncate(path, whole);
    report.torn_cut = true;
  } catch (const IoError& e) {
    report.set_aside_error = e.what();
  }
}

std::string LogStore::CopyTornTail(std::string_view tail) {
  std::string name = kTornTailName;
  for (int n = 2; fs_.Exists(PathOf(name)); ++n) {
    if (fs_.ReadFile(PathOf(name)) == tail)
      return name;
    name = std::string(kTornTailName) + "." + std::to_string(n);
  }
  try {
    fs_.WriteFile(PathOf(name), tail);
  } catch (const IoError&) {
    // An empty or partial copy would pass for the torn bytes.
    try {
      fs_.Remove(PathOf(name));
    } catch (const IoError&) {
    }
    throw;
  }
  return name;
}

void LogStore::AppendQSO(TQSOData record) {
  RequireChangeable();
  std::string path = PathOf(kLogFileName);
  std::string bytes = EncodeQSO(record);
  if (!fs_.Exists(path)) {
    // The file went away after it was read: it comes back with every QSO of memory.
    ReplaceFile(records_ + bytes, records_, false);
  } else {
    // At the record's own place, so that nothing a failed write left behind can shift it.
    ChangeOrUndo(
        [&] {
          if (batch_)
            fs_.WriteAtUnsynced(path, records_.size(), bytes);
          else
            fs_.WriteAt(path, records_.size(), bytes);
        },
        [&] { fs_.Truncate(path, records_.size()); });
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
  if (!on_file_) {
    on_file_ = std::move(records_);
    records_.reserve(on_file_->capacity());  // the rebuilt log is as long, give or take
  }
  records_.clear();
  Reindex();
}

void LogStore::SaveAll() {
  RequireChangeable();
  ReplaceFile(records_, on_file_ ? *on_file_ : records_, false);
  on_file_.reset();
}

void LogStore::RewriteQSO(std::size_t index, TQSOData record) {
  if (index >= QSOLog().size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  RequireChangeable();
  std::string bytes = EncodeQSO(record);
  std::string path = PathOf(kLogFileName);
  std::size_t offset = index * kQsoRecordSize;
  ChangeOrUndo([&] { fs_.WriteAt(path, offset, bytes); },
               [&] { fs_.WriteAt(path, offset, records_.substr(offset, kQsoRecordSize)); });
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
  RequireChangeable();
  std::string records;
  records.reserve(records_.size() - kQsoRecordSize);
  records.append(records_, 0, index * kQsoRecordSize);
  records.append(records_, (index + 1) * kQsoRecordSize);
  ReplaceFile(records, records_, true);
  records_ = std::move(records);
  Reindex();
}

void LogStore::ClearLog() {
  RequireChangeable();
  ReplaceFile("", records_, true);
  records_ = std::string();
  Reindex();
}

void LogStore::ReplaceFile(std::string_view records, std::string_view previous, bool keep_backup) {
  std::string path = fs_.LinkTarget(PathOf(kLogFileName));
  std::string temp = JoinPath(ParentPath(path), kLogTempName);
  fs_.WriteFileLike(temp, records, path);
  if (keep_backup && fs_.Exists(path))
    fs_.LinkOrCopy(path, PathOf(kLogBackupName));
  ChangeOrUndo([&] { fs_.Rename(temp, path); },
               [&] {
                 // A rename whose folder could not be flushed has happened all the same.
                 if (!fs_.Exists(temp)) {
                   fs_.WriteFileLike(temp, previous, path);
                   fs_.Rename(temp, path);
                 }
               });
}

}  // namespace mirva
