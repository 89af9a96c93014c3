#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"
#include "log/call_index.h"
#include "log/qso_log.h"
#include "log/qso_record.h"
#include "text/text_map.h"

namespace mirva {

inline constexpr char kLogFileName[] = "mrvtest.dat";
inline constexpr char kLogBackupName[] = "mrvtest.old";
/// The whole new log is written here first and then renamed over the log file.
inline constexpr char kLogTempName[] = "mrvtest.new";
/// A partial record found at the end of the log is set aside under this name.
inline constexpr char kTornTailName[] = "mrvtest.dat.torn";

/// What LoadLog found besides the QSOs.
struct LogLoadReport {
  std::size_t torn_bytes = 0;  ///< bytes of a partial last record, set aside and cut off
  std::string torn_copy;       ///< the file those bytes were copied to
};

/// The log: the file of 264-byte records in the working directory and `QSOLog`, its copy in
/// memory, kept as the same bytes. Between operations the two hold the same records; an
/// operation that fails throws IoError and leaves both as they were, apart from an append
/// whose hook failed.
class LogStore {
 public:
  LogStore(FileSystem& fs, std::string dir);

  QsoLog QSOLog() const { return QsoLog(records_); }
  /// Positions in QSOLog of the QSOs with exactly this callsign, in log order.
  std::span<const uint32_t> QsosOfCall(std::string_view call) const;
  /// Whether a QSO's time begins with `hour` (two characters) and its received exchange with
  /// `lead`.
  bool HasQsoInHour(std::string_view hour, char lead) const;
  /// The distinct callsigns of the log that contain the text, sorted, each with its QSOs.
  /// Valid until the log changes.
  std::vector<const CallQsos*> CallsContaining(std::string_view text) const {
    return calls_.Containing(text);
  }

  /// Replaces QSOLog by the file's records, creating an empty file when there is none. A
  /// partial record at the end is copied to a file of its own and cut off the log.
  LogLoadReport LoadLog();
  /// Writes the record (texts cut to their fields) at the end of the file in one write that
  /// reaches the disk (in a batch: when the batch ends), then adds it to QSOLog.
  void AppendQSO(TQSOData record);
  /// Starts a batch of appends: each is written at once but reaches the disk only when the
  /// batch ends, so that a power cut may lose records of the batch, never one before it.
  void BeginBatch() { batch_ = true; }
  /// Flushes the batch's appends to stable storage and ends the batch. Throws IoError when
  /// the flush fails; the batch is ended all the same.
  void EndBatch();
  /// Writes the record over QSO `index` (from 0) in the file and in QSOLog.
  void RewriteQSO(std::size_t index, TQSOData record);
  /// Removes QSO `index`; the previous file is kept as mrvtest.old.
  void DeleteQSO(std::size_t index);
  /// Empties the log; the previous file is kept as mrvtest.old.
  void ClearLog();

  /// Empties QSOLog and leaves the file alone: the start of a rebuild in memory.
  void ForgetInMemory();
  /// Adds the record to QSOLog only.
  void AddInMemory(TQSOData record);
  /// Writes QSOLog as the whole new log file, with no backup.
  void SaveAll();

  std::string PathOf(const std::string& name) const;

 private:
  /// Puts a whole new log in place of the file so that a crash leaves the old or the new.
  void ReplaceFile(std::string_view records, bool keep_backup);
  std::string SetAsideTornTail(std::string_view tail);
  /// Adds the encoded record to QSOLog and the indexes.
  void AddRecord(std::string_view bytes);
  void Reindex();
  /// Adds QSO `index` of QSOLog to the indexes.
  void Index(std::size_t index);
  void CountHourLead(QsoRecordView q, int delta);

  FileSystem& fs_;
  std::string dir_;
  /// The records as the file holds them.
  std::string records_;
  CallIndex calls_;
  /// Whether appends leave the flush to EndBatch.
  bool batch_ = false;
  /// QSO counts by the first two characters of the time and the first of the received
  /// exchange.
  TextMap<uint32_t> hour_leads_;
};

}  // namespace mirva
