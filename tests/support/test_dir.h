#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "failing_file_system.h"
#include "native_file_system.h"

namespace mirva {

/// A fresh folder under the system's temporary directory, removed again with the object.
class TestDir {
 public:
  TestDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("mirva-test-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TestDir() {
#ifdef _WIN32
    // Windows removes no read-only file, and the tests of read-only logs leave some.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add);
#endif
    std::filesystem::remove_all(path_);
  }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  std::string path() const {
    return path_.string();
  }
  std::string operator/(const std::string& name) const {
    return (path_ / name).string();
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  bool Has(const std::string& name) const {
    return std::filesystem::exists(path_ / name);
  }

 private:
  std::filesystem::path path_;
};

/// Real files, with calls made to fail as FailingFileSystem does.
class FaultyFileSystem : public FailingFileSystem {
 public:
  FaultyFileSystem() : FailingFileSystem(Native()) {}

 private:
  static NativeFileSystem& Native() {
    static NativeFileSystem native;
    return native;
  }
};

}  // namespace mirva
