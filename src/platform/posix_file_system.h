#pragma once

#include "file_system.h"

namespace mirva {

/// Files on a POSIX system; writes are followed by fsync of the file and, for names that
/// appear or change, of its directory.
class PosixFileSystem : public FileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override;
  void WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
  void WriteAtUnsynced(const std::string& path, std::uint64_t offset,
                       std::string_view bytes) override;
  void Sync(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  void Truncate(const std::string& path, std::uint64_t size) override;
  void Rename(const std::string& from, const std::string& to) override;
  void ReplaceUnsynced(const std::string& path, const std::string& temporary,
                       std::string_view bytes) override;
  void LinkOrCopy(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  std::string LinkTarget(const std::string& path) override;
  bool ReadOnly(const std::string& path) override;
  void WriteFileLike(const std::string& path, std::string_view bytes,
                     const std::string& model) override;
  std::vector<std::string> FileNames(const std::string& folder) override;
};

}  // namespace mirva
