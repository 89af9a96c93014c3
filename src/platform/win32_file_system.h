#pragma once

#ifdef _WIN32

#include "file_system.h"

namespace mirva {

/// Files through the Win32 calls; writes are flushed with FlushFileBuffers, and a rename
/// replaces its target and reaches the disk before it returns (MOVEFILE_WRITE_THROUGH).
class Win32FileSystem : public FileSystem {
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
  bool ReadOnly(const std::string& path) override;
  std::vector<std::string> FileNames(const std::string& folder) override;
};

}  // namespace mirva

#endif
