#include "writer_lock.h"

#include <thread>

#include "error.h"
#include "lock_file.h"
#include "log/log_store.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

/// How long a lock held by no named process is waited for: the moment between a holder's
/// flock and the write of its name.
constexpr std::chrono::seconds kUnnamedHolderGrace(1);
constexpr std::chrono::milliseconds kPollInterval(20);

std::string PathIn(const std::string& dir, const char* name) {
  return JoinPath(dir, name);
}

std::string BusyMessage(const std::string& dir, const std::string& holder,
                        std::chrono::seconds waited) {
  std::string text = "The log " + PathText(PathIn(dir, kLogFileName)) + " is ";
  if (waited.count() > 0)
    text += "still ";
  text += "open in " + holder;
  if (waited.count() > 0)
    text += " after a wait of " + std::to_string(waited.count()) + " s";
  return text + "; one program at a time may change it";
}

}  // namespace

std::optional<std::string> WriterLock::Holder(const std::string& dir) {
  std::string text = ReadLockFile(PathIn(dir, kLockFileName));
  std::size_t end_of_pid = text.find('\n');
  if (end_of_pid == std::string::npos)
    return std::nullopt;
  std::string pid = text.substr(0, end_of_pid);
  if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos ||
      !ProcessRunning(std::stol(pid)))
    return std::nullopt;
  std::string program = text.substr(end_of_pid + 1);
  program = program.substr(0, program.find('\n'));
  return (program.empty() ? "another program" : program) + ", process " + pid;
}

WriterLock::WriterLock(const std::string& dir, const std::string& program,
                       std::chrono::seconds wait) {
  using Clock = std::chrono::steady_clock;
  std::string path = PathIn(dir, kLockFileName);
  file_ = std::make_unique<LockFile>(path);
  const Clock::time_point start = Clock::now();
  while (!file_->TryLock()) {
    std::optional<std::string> holder = Holder(dir);
    if (Clock::now() - start >= (holder ? wait : wait + kUnnamedHolderGrace))
      throw IoError(BusyMessage(dir, holder.value_or("another program"), wait));
    std::this_thread::sleep_for(kPollInterval);
  }
  // The name is for the message of a writer turned away and for readers; the lock itself
  // does not depend on it, so a failed write is not an error.
  file_->Rewrite(std::to_string(CurrentProcessId()) + "\n" + program + "\n");
}

WriterLock::~WriterLock() {
  // Emptied before the lock goes, so the file never names a holder that has let go; should
  // that fail, the holder's process id tells readers it has ended.
  file_->Rewrite("");
}

}  // namespace mirva
