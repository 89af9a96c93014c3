#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "file_system.h"
#include "group/group_change.h"

namespace mirva {

/// The changes of this station that the broker has not acknowledged yet, in the order they
/// were made, kept in a file that each change is appended to and flushed, so that they
/// survive a crash and are sent again.
class GroupOutbox {
 public:
  GroupOutbox(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  /// From now on Append and DropFirst change only changes(), and TakeText hands the file's
  /// new contents to a caller that writes them: for a caller that must not wait on the disk.
  void DeferWrites() { deferred_ = true; }
  /// The file's whole contents when they changed since the last call.
  std::optional<std::string> TakeText();

  /// Reads the file; a partial change at its end (a crash while it was appended) is cut off.
  void Load();
  /// Appends the changes to the file in one write, flushed, then to changes().
  void Append(const std::vector<GroupChange>& changes);
  /// Drops the first `count` changes, acknowledged, from the file and from changes().
  void DropFirst(std::size_t count);

  const std::vector<GroupChange>& changes() const { return changes_; }

 private:
  FileSystem& fs_;
  std::string path_;
  std::vector<GroupChange> changes_;
  /// The bytes of the file's whole changes.
  uint64_t size_ = 0;
  bool deferred_ = false;
  bool dirty_ = false;
};

}  // namespace mirva
