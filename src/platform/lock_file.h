#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mirva {

/// The operating system's side of the one-writer lock: a lock file that one process at a time
/// holds an exclusive lock on, and whose bytes others may still read. The lock goes when the
/// object or its process does.
class LockFile {
 public:
  /// Opens or creates the file; throws IoError naming it when it cannot.
  explicit LockFile(const std::string& path);
  ~LockFile();
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  /// Takes the lock without waiting: true when taken, false while another holds it. Throws
  /// IoError for any other failure.
  bool TryLock();
  /// Replaces what the file holds by `text`; best effort, a failure is not told.
  void Rewrite(std::string_view text);

 private:
  std::string path_;
  std::intptr_t handle_;
};

/// The first bytes of the file (enough for a holder's name), or "" when it cannot be read.
std::string ReadLockFile(const std::string& path);
/// Whether a process with this id is running now.
bool ProcessRunning(long pid);
long CurrentProcessId();

}  // namespace mirva
