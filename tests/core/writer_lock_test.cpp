#include "writer_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "error.h"
#include "test_dir.h"

namespace mirva {
namespace {

/// The message a second writer is turned away with, or "" when it gets the lock.
std::string Refusal(const TestDir& dir) {
  try {
    WriterLock second(dir.path(), "second");
  } catch (const IoError& e) {
    return e.what();
  }
  return "";
}

TEST(WriterLockTest, OneHolderAtATimeNamedByProgramAndProcess) {
  TestDir dir;
  const std::string holder = "the program, process " + std::to_string(::getpid());
  std::optional<WriterLock> lock;
  lock.emplace(dir.path(), "the program");
  EXPECT_EQ(WriterLock::Holder(dir.path()), holder);
  std::string refusal = Refusal(dir);
  EXPECT_NE(refusal.find("is open in " + holder), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("mrvtest.dat"), std::string::npos) << refusal;

  lock.reset();
  EXPECT_EQ(WriterLock::Holder(dir.path()), std::nullopt);
  EXPECT_EQ(Refusal(dir), "");
}

// Only a running process that holds the lock counts as its holder: a name left behind by a
// process that ended, or no name at all, is not one.
TEST(WriterLockTest, HolderIsARunningProcessNamedInTheFile) {
  TestDir dir;
  EXPECT_EQ(WriterLock::Holder(dir.path()), std::nullopt);
  EXPECT_FALSE(dir.Has(kLockFileName));  // asking creates nothing

  pid_t ended = ::fork();
  if (ended == 0)
    ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const struct {
    std::string text;
    std::optional<std::string> holder;
  } cases[] = {
      {"", std::nullopt},
      {std::to_string(ended) + "\nmirva\n", std::nullopt},
      {std::to_string(::getpid()) + "\nmirva\n", "mirva, process " + std::to_string(::getpid())},
      {std::to_string(::getpid()) + "\n", "another program, process " + std::to_string(::getpid())},
      {"12x\nmirva\n", std::nullopt},
      {"mirva", std::nullopt},
  };
  for (const auto& c : cases) {
    dir.Write(kLockFileName, c.text);
    EXPECT_EQ(WriterLock::Holder(dir.path()), c.holder) << c.text;
  }
  // A stale name does not keep the next writer out.
  dir.Write(kLockFileName, std::to_string(ended) + "\nmirva\n");
  EXPECT_EQ(Refusal(dir), "");
}

TEST(WriterLockTest, ALockHeldWithoutANameIsRefusedAfterAMoment) {
  TestDir dir;
  int fd = ::open((dir / kLockFileName).c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  std::string refusal = Refusal(dir);
  EXPECT_NE(refusal.find("is open in another program"), std::string::npos) << refusal;
  ::close(fd);
}

TEST(WriterLockTest, AFolderThatCannotHoldTheLockFileTakesNoWriter) {
  TestDir dir;
  EXPECT_THROW(WriterLock(dir / "missing", "mirva"), IoError);
}

}  // namespace
}  // namespace mirva
