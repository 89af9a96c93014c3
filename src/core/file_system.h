#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// The files the core reads and writes. Every call opens, uses and closes its file; every
/// write reaches stable storage before the call returns, but for WriteAtUnsynced, whose bytes
/// Sync flushes. Failures throw IoError.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// The whole file, or nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  /// Writes the bytes into an existing file at the offset, over its bytes or past its end.
  virtual void WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) = 0;
  /// Overwrites or extends an existing file at the offset like WriteAt, but may return before
  /// the bytes reach stable storage; Sync flushes them. By default it is WriteAt.
  virtual void WriteAtUnsynced(const std::string& path, std::uint64_t offset,
                               std::string_view bytes) {
    WriteAt(path, offset, bytes);
  }
  /// Flushes to stable storage what unsynced writes left in the file; nothing by default,
  /// where those writes flush themselves.
  virtual void Sync(const std::string& path) { (void)path; }
  /// Creates or empties the file and writes the bytes.
  virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
  /// Cuts the file to `size` bytes.
  virtual void Truncate(const std::string& path, std::uint64_t size) = 0;
  /// Puts `from` in place of `to` in one step: a reader sees the old or the new file.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  /// Writes the bytes into `temporary` and puts it in place of `path` in one step, so a reader
  /// sees the old or the new file whole, but may return before the bytes reach stable
  /// storage: for a file that only mirrors what another program reads now.
  virtual void ReplaceUnsynced(const std::string& path, const std::string& temporary,
                               std::string_view bytes) {
    WriteFile(temporary, bytes);
    Rename(temporary, path);
  }
  /// Makes `to` a second name or a copy of the file `from` names, replacing any `to`.
  virtual void LinkOrCopy(const std::string& from, const std::string& to) = 0;
  /// Removes the file; a missing file is not an error.
  virtual void Remove(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  /// Whether both paths exist and name the same file, through links or "..", or the same
  /// directory; false when either does not exist.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;

  // A file system without links or access permissions can keep the defaults.

  /// The file `path` names once the symbolic links at its end are followed, whether that
  /// file exists or not; `path` itself when it is no link.
  virtual std::string LinkTarget(const std::string& path) { return path; }
  /// Whether the file exists and must not be written: this process may not write it, or it
  /// grants writing to nobody.
  virtual bool ReadOnly(const std::string&) { return false; }
  /// Writes the file as WriteFile does, with the access permissions of `model` when that
  /// exists.
  virtual void WriteFileLike(const std::string& path, std::string_view bytes,
                             const std::string& /*model*/) {
    WriteFile(path, bytes);
  }
  /// The names of the entries of the folder, in no particular order; none when it cannot be
  /// listed, as on a file system that cannot list at all.
  virtual std::vector<std::string> FileNames(const std::string& /*folder*/) { return {}; }
};

}  // namespace mirva
