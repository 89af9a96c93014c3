#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "log/log_store.h"

namespace mirva {

class LockFile;

/// One writer at a time: an exclusive lock (flock, or LockFileEx on Windows) on "mrvtest.lck" in
/// the working directory, held by every process that changes the log for its whole operation (the
/// program for as long as it runs), taken before the log is loaded. While it holds the lock, the
/// file names the holder: its process id on the first line, its program name on the second. The
/// lock goes with the object, or with the process.
class WriterLock {
 public:
  /// Takes the lock for `program`, waiting up to `wait` while another process holds it.
  /// Throws IoError naming the holder when it still holds the lock then, or when the lock
  /// file cannot be created.
  WriterLock(const std::string& dir, const std::string& program,
             std::chrono::seconds wait = std::chrono::seconds(0));
  ~WriterLock();
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;

  /// The holder of the lock of `dir` as "PROGRAM, process PID", or nothing when no running
  /// process holds it. Creates, locks and changes nothing, so a reader may ask.
  static std::optional<std::string> Holder(const std::string& dir);

 private:
  std::unique_ptr<LockFile> file_;
};

}  // namespace mirva
