#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
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
/// The lock file that keeps a second writer off the log; only a writer creates it.
inline constexpr char kLockFileName[] = "mrvtest.lck";
/// A partial record found at the end of the log is set aside under this name.
inline constexpr char kTornTailName[] = "mrvtest.dat.torn";

/// How a load may treat the log file.
enum class LogAccess {
  /// The writer's load: an empty log is created, a partial last record set aside.
  kWrite,
  /// A reader's load: no file is created or changed, and every change is refused.
  kRead,
};

/// What LoadLog found besides the QSOs.
struct LogLoadReport {
  std::size_t torn_bytes = 0;  ///< bytes of a partial last record, left out of QSOLog
  /// The file holding a copy of those bytes; empty when none could be written.
  std::string torn_copy;
  /// Whether the bytes were cut off the log file.
  bool torn_cut = false;
  /// Why a writer's load could not set the bytes aside; empty when it could.
  std::string set_aside_error;
};

/// The log: the file of 264-byte records in the working directory and `QSOLog`, its copy in
/// memory, kept as the same bytes. Between operations the two hold the same records; an
/// operation that fails throws IoError and leaves both as they were, apart from an append
/// whose hook failed. A failed change whose undo fails too leaves the file unsure: the store
/// then takes no changes until LoadLog reads the file again. Before its first LoadLog it takes
/// none either, and never any while the file is read-only.
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
  /// partial record at the end is copied to a file of its own (unless a copy of exactly these
  /// bytes exists) and cut off the log; when that fails, the whole records are loaded, the
  /// file stays as it is and every change is refused. Loads as the last load did (kWrite
  /// at first).
  LogLoadReport LoadLog();
  /// The same with `access`; kRead changes no file and ignores a partial last record.
  LogLoadReport LoadLog(LogAccess access);
  /// Writes the record (texts cut to their fields) after the records of QSOLog in one write
  /// that reaches the disk (in a batch: when the batch ends), then adds it to QSOLog. A
  /// missing file is written anew, whole.
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

  /// Empties QSOLog and leaves the file alone: the start of a rebuild in memory, which SaveAll
  /// or LoadLog ends.
  void ForgetInMemory();
  /// Adds the record to QSOLog only.
  void AddInMemory(TQSOData record);
  /// Writes QSOLog as the whole new log file, with no backup.
  void SaveAll();

  /// Throws IoError, naming the log file, when the log takes no changes now.
  void RequireChangeable() const;

  std::string PathOf(const std::string& name) const;

 private:
  /// Puts a whole new log in place of the file so that a crash leaves the old or the new. A
  /// linked log is replaced where the link points. `previous`, the records the file holds
  /// now, go back in place should the new file get there but fail to be recorded.
  void ReplaceFile(std::string_view records, std::string_view previous, bool keep_backup);
  /// Runs the change of the file; when it throws, runs `undo` to put the file back as it was
  /// and throws the change's error. When the undo fails too, the file is unsure.
  void ChangeOrUndo(const std::function<void()>& change, const std::function<void()>& undo);
  /// Copies a partial last record to a file of its own and cuts it off the file, or says
  /// in the report why it could not.
  void SetAsideTornTail(std::string_view tail, std::size_t whole, LogLoadReport& report);
  /// The name of a file holding the bytes: an earlier copy of exactly these bytes, or a new
  /// one. A copy that fails is removed again.
  std::string CopyTornTail(std::string_view tail);
  /// Adds the encoded record to QSOLog and the indexes.
  void AddRecord(std::string_view bytes);
  void Reindex();
  /// Adds QSO `index` of QSOLog to the indexes.
  void Index(std::size_t index);
  void CountHourLead(QsoRecordView q, int delta);

  FileSystem& fs_;
  std::string dir_;
  LogAccess access_ = LogAccess::kWrite;
  /// The records as the file holds them.
  std::string records_;
  CallIndex calls_;
  /// Whether appends leave the flush to EndBatch.
  bool batch_ = false;
  /// QSO counts by the first two characters of the time and the first of the received
  /// exchange.
  TextMap<uint32_t> hour_leads_;
  /// Why the log takes no changes now; empty when it takes them.
  std::string refusal_;
  /// The file's records while QSOLog is rebuilt in memory.
  std::optional<std::string> on_file_;
};

}  // namespace mirva
