#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <tuple>

#include "error.h"
#include "lock_file.h"
#include "text/path_text.h"

namespace mirva {

LockFile::LockFile(const std::string& path) : path_(path) {
  handle_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (handle_ < 0)
    throw IoError("Cannot open the lock file " + PathText(path) +
                  ", which a change of the log needs: " + std::strerror(errno));
}

LockFile::~LockFile() {
  ::close(static_cast<int>(handle_));
}

bool LockFile::TryLock() {
  while (::flock(static_cast<int>(handle_), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK)
      return false;
    if (errno != EINTR)
      throw IoError("Cannot lock " + PathText(path_) + ": " + std::strerror(errno));
  }
  return true;
}

void LockFile::Rewrite(std::string_view text) {
  int fd = static_cast<int>(handle_);
  if (::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()))
    std::ignore = ::ftruncate(fd, static_cast<off_t>(text.size()));
}

std::string ReadLockFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return {};
  char buffer[512];
  ssize_t n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool ProcessRunning(long pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

long CurrentProcessId() {
  return ::getpid();
}

}  // namespace mirva
