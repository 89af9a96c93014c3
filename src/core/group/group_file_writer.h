#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "file_system.h"
#include "group/group_sync.h"

namespace mirva {

/// Writes the group's side file and outbox on a thread of its own, so that the thread that
/// keeps the log never waits on the disk for them. Each content handed over is a whole file:
/// one still waiting when a newer one comes is dropped, so a file on disk only ever moves on
/// to newer contents.
class GroupFileWriter {
 public:
  /// Called on the writer's thread with the reason when a file cannot be written; the next
  /// contents handed over are written all the same.
  using Failed = std::function<void(const std::string& reason)>;

  GroupFileWriter(FileSystem& fs, std::string dir, Failed failed);
  /// Writes what waits, then stops the thread.
  ~GroupFileWriter();
  GroupFileWriter(const GroupFileWriter&) = delete;
  GroupFileWriter& operator=(const GroupFileWriter&) = delete;

  /// Hands the files' new contents over and returns at once.
  void Hand(GroupSync::Writes writes);
  /// Waits until everything handed over is written (or failed): a file written by the caller
  /// afterwards is never overwritten by an older one.
  void Flush();

 private:
  void Run();

  FileSystem& fs_;
  std::string dir_;
  Failed failed_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  GroupSync::Writes waiting_;
  bool writing_ = false;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace mirva
