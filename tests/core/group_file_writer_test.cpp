#include "group/group_file_writer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "error.h"
#include "memory_file_system.h"
#include "replace_file.h"
#include "text/utf8_path.h"

namespace mirva {
namespace {

/// Files in memory whose writes wait while the gate is shut, each write noted by the file it
/// replaces; a write of the bytes "fail" fails.
class GatedFileSystem : public MemoryFileSystem {
 public:
  std::vector<std::pair<std::string, std::string>> written;

  void WriteFileLike(const std::string& path, std::string_view bytes,
                     const std::string& model) override {
    std::unique_lock lock(mutex_);
    ++entered_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
    if (bytes == "fail")
      throw IoError("disk full");
    written.emplace_back(FileNameOf(model), bytes);
    MemoryFileSystem::WriteFile(path, bytes);
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  /// Waits until a write is under way.
  void Entered() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return entered_ > 0; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  int entered_ = 0;
};

/// The side file that has seen the group's stream up to `seen`.
GroupIds Seen(uint64_t seen) {
  GroupIds ids;
  ids.seen = seen;
  return ids;
}

GroupSync::Writes Files(std::optional<uint64_t> seen, std::optional<std::string> outbox) {
  return {seen ? std::optional<GroupIds>(Seen(*seen)) : std::nullopt, std::move(outbox)};
}

TEST(GroupFileWriter, WritesOnlyTheNewestContentsAndNothingAfterAFlush) {
  GatedFileSystem fs;
  std::vector<std::string> failures;
  {
    GroupFileWriter writer(fs, "d", [&](const std::string& why) { failures.push_back(why); });
    writer.Hand(Files(1, "outbox 1"));
    fs.Entered();
    // Handed over while the first write waits on the disk: the second side file is stale
    // before it is written.
    writer.Hand(Files(2, std::nullopt));
    writer.Hand(Files(3, "outbox 3"));
    writer.Hand(Files(std::nullopt, "outbox 4"));
    fs.Open();
    writer.Flush();
    ReplaceFile(fs, JoinPath("d", "group.ids"), FormatGroupIds(Seen(5)), "Cannot write");
  }
  std::vector<std::pair<std::string, std::string>> expected = {
      {"group.outbox", "outbox 1"},           {"group.ids", FormatGroupIds(Seen(1))},
      {"group.outbox", "outbox 4"},           {"group.ids", FormatGroupIds(Seen(3))},
      {"group.ids", FormatGroupIds(Seen(5))},
  };
  EXPECT_EQ(fs.written, expected);
  EXPECT_EQ(fs.files[JoinPath("d", "group.outbox")], "outbox 4");
  EXPECT_TRUE(failures.empty());
}

TEST(GroupFileWriter, TellsAFailureAndWritesTheNextContents) {
  GatedFileSystem fs;
  fs.Open();
  std::vector<std::string> failures;
  {
    GroupFileWriter writer(fs, "d", [&](const std::string& why) { failures.push_back(why); });
    writer.Hand(Files(std::nullopt, "fail"));
    writer.Flush();
    writer.Hand(Files(2, std::nullopt));
  }
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Cannot write the outbox"), std::string::npos);
  EXPECT_NE(failures[0].find("disk full"), std::string::npos);
  EXPECT_EQ(fs.files[JoinPath("d", "group.ids")], FormatGroupIds(Seen(2)));
}

}  // namespace
}  // namespace mirva
