#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "error.h"
#include "file_system.h"

namespace mirva {

/// Files held in memory by path, so that a test or a fuzz target never touches the disk.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;

  std::optional<std::string> ReadFile(const std::string& p) override {
    auto it = files.find(p);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void WriteAt(const std::string& p, std::uint64_t o, std::string_view b) override {
    std::string& f = Existing(p);
    if (f.size() < o + b.size())
      f.resize(o + b.size());
    f.replace(o, b.size(), b);
  }
  void WriteFile(const std::string& p, std::string_view b) override { files[p] = b; }
  void Truncate(const std::string& p, std::uint64_t s) override { Existing(p).resize(s); }
  void Rename(const std::string& f, const std::string& t) override {
    files[t] = Existing(f);
    files.erase(f);
  }
  void LinkOrCopy(const std::string& f, const std::string& t) override { files[t] = Existing(f); }
  void Remove(const std::string& p) override { files.erase(p); }
  bool Exists(const std::string& p) override { return files.count(p) > 0; }
  bool SameFile(const std::string& a, const std::string& b) override { return a == b && Exists(a); }

 private:
  std::string& Existing(const std::string& p) {
    auto it = files.find(p);
    if (it == files.end())
      throw IoError("missing " + p);
    return it->second;
  }
};

}  // namespace mirva
