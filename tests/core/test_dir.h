#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "posix_file_system.h"

namespace mirva {

/// A fresh folder under the system's temporary directory, removed again with the object.
class TestDir {
 public:
  TestDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("mirva-test-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TestDir() { std::filesystem::remove_all(path_); }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  std::string path() const { return path_.string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  bool Has(const std::string& name) const { return std::filesystem::exists(path_ / name); }

 private:
  std::filesystem::path path_;
};

/// Real files, with a test hook that runs before each append, write at an offset, whole-file
/// write, link and rename and may throw to simulate a failure (or a crash) at that step.
class FaultyFileSystem : public PosixFileSystem {
 public:
  std::function<void(const std::string& op, const std::string& path)> before;
  /// When set, every read fails as for a file that cannot be read.
  bool unreadable = false;

  std::optional<std::string> ReadFile(const std::string& p) override {
    if (unreadable)
      return std::nullopt;
    return PosixFileSystem::ReadFile(p);
  }
  void Append(const std::string& p, std::string_view b) override {
    Hook("append", p);
    PosixFileSystem::Append(p, b);
  }
  void WriteAt(const std::string& p, std::uint64_t o, std::string_view b) override {
    Hook("write-at", p);
    PosixFileSystem::WriteAt(p, o, b);
  }
  void WriteFile(const std::string& p, std::string_view b) override {
    Hook("write", p);
    PosixFileSystem::WriteFile(p, b);
  }
  void WriteFileLike(const std::string& p, std::string_view b, const std::string& m) override {
    Hook("write", p);
    PosixFileSystem::WriteFileLike(p, b, m);
  }
  void Rename(const std::string& f, const std::string& t) override {
    Hook("rename", f);
    PosixFileSystem::Rename(f, t);
  }
  void LinkOrCopy(const std::string& f, const std::string& t) override {
    Hook("link", f);
    PosixFileSystem::LinkOrCopy(f, t);
  }

 private:
  void Hook(const std::string& op, const std::string& p) {
    if (before)
      before(op, p);
  }
};

}  // namespace mirva
