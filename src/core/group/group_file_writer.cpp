#include "group/group_file_writer.h"

#include <exception>
#include <utility>

namespace mirva {
namespace {

bool Empty(const GroupSync::Writes& writes) {
  return !writes.ids && !writes.outbox;
}

}  // namespace

GroupFileWriter::GroupFileWriter(FileSystem& fs, std::string dir, Failed failed)
    : fs_(fs), dir_(std::move(dir)), failed_(std::move(failed)), thread_([this] { Run(); }) {}

GroupFileWriter::~GroupFileWriter() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void GroupFileWriter::Hand(GroupSync::Writes writes) {
  if (Empty(writes))
    return;
  {
    std::lock_guard lock(mutex_);
    if (writes.ids)
      waiting_.ids = std::move(writes.ids);
    if (writes.outbox)
      waiting_.outbox = std::move(writes.outbox);
  }
  wake_.notify_one();
}

void GroupFileWriter::Flush() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !writing_ && Empty(waiting_); });
}

void GroupFileWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !Empty(waiting_); });
    if (Empty(waiting_))
      return;
    GroupSync::Writes writes = std::exchange(waiting_, {});
    writing_ = true;
    lock.unlock();
    try {
      GroupSync::Write(fs_, dir_, writes);
    } catch (const std::exception& e) {
      failed_(e.what());
    }
    lock.lock();
    writing_ = false;
    idle_.notify_all();
  }
}

}  // namespace mirva
