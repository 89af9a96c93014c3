#include "shared_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "test_dir.h"

namespace mirva {
namespace {

/// Sets or, for nullptr, removes the variable; puts back what it was when done.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name))
      old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const char* value) {
    if (value)
      ::setenv(name_, value, 1);
    else
      ::unsetenv(name_);
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SharedDirectory, ChosenFromTheEnvironmentAndCreated) {
  TestDir dir;
  std::string own = dir / "own/deeper";
  std::string data = dir.path() + "/data";
  struct Case {
    const char* name;
    const char* shared;
    const char* xdg_data;
    std::string expected;
  } cases[] = {
      {"own directory", own.c_str(), data.c_str(), own},
      {"data home", nullptr, data.c_str(), data + "/mirva-shared"},
      {"empty own directory", "", data.c_str(), data + "/mirva-shared"},
      {"relative data home", nullptr, "relative", dir.path() + "/.local/share/mirva-shared"},
      {"no data home", nullptr, nullptr, dir.path() + "/.local/share/mirva-shared"},
  };
  ScopedVariable home("HOME", dir.path().c_str());
  for (const Case& c : cases) {
    ScopedVariable shared("MIRVA_SHARED_DIR", c.shared);
    ScopedVariable xdg("XDG_DATA_HOME", c.xdg_data);
    EXPECT_EQ(SharedDirectory(), c.expected) << c.name;
    EXPECT_TRUE(std::filesystem::is_directory(c.expected)) << c.name;
  }
}

}  // namespace
}  // namespace mirva
