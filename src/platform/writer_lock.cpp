#include "writer_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>
#include <tuple>

#include "error.h"
#include "log/log_store.h"
#include "text/path_text.h"

namespace mirva {

namespace {

/// How long a lock held by no named process is waited for: the moment between a holder's
/// flock and the write of its name.
constexpr std::chrono::seconds kUnnamedHolderGrace(1);
constexpr std::chrono::milliseconds kPollInterval(20);

std::string PathIn(const std::string& dir, const char* name) {
  return (std::filesystem::path(dir) / name).string();
}

std::string ReadSmallFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return {};
  char buffer[512];
  ssize_t n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool IsRunning(long pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
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
  std::string text = ReadSmallFile(PathIn(dir, kLockFileName));
  std::size_t end_of_pid = text.find('\n');
  if (end_of_pid == std::string::npos)
    return std::nullopt;
  std::string pid = text.substr(0, end_of_pid);
  if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos ||
      !IsRunning(std::stol(pid)))
    return std::nullopt;
  std::string program = text.substr(end_of_pid + 1);
  program = program.substr(0, program.find('\n'));
  return (program.empty() ? "another program" : program) + ", process " + pid;
}

WriterLock::WriterLock(const std::string& dir, const std::string& program,
                       std::chrono::seconds wait) {
  using Clock = std::chrono::steady_clock;
  std::string path = PathIn(dir, kLockFileName);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0)
    throw IoError("Cannot open the lock file " + PathText(path) +
                  ", which a change of the log needs: " + std::strerror(errno));
  auto refuse = [this](const std::string& message) {
    ::close(fd_);
    throw IoError(message);
  };
  const Clock::time_point start = Clock::now();
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR)
      continue;
    if (errno != EWOULDBLOCK)
      refuse("Cannot lock " + PathText(path) + ": " + std::strerror(errno));
    std::optional<std::string> holder = Holder(dir);
    if (Clock::now() - start >= (holder ? wait : wait + kUnnamedHolderGrace))
      refuse(BusyMessage(dir, holder.value_or("another program"), wait));
    std::this_thread::sleep_for(kPollInterval);
  }
  // The name is for the message of a writer turned away and for readers; the lock itself
  // does not depend on it, so a failed write is not an error.
  std::string holder = std::to_string(::getpid()) + "\n" + program + "\n";
  if (::pwrite(fd_, holder.data(), holder.size(), 0) == static_cast<ssize_t>(holder.size()))
    std::ignore = ::ftruncate(fd_, static_cast<off_t>(holder.size()));
}

WriterLock::~WriterLock() {
  // Emptied before the lock goes, so the file never names a holder that has let go; should
  // that fail, the holder's process id tells readers it has ended.
  std::ignore = ::ftruncate(fd_, 0);
  ::close(fd_);
}

}  // namespace mirva
