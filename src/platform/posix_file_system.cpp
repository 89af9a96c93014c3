#include "posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "error.h"
#include "text/path_text.h"

namespace mirva {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw IoError(what + " " + PathText(path) + ": " + std::strerror(errno));
}

/// An open file descriptor, closed when it goes out of scope.
class Fd {
 public:
  Fd(const std::string& path, int flags) : path_(path), fd_(::open(path.c_str(), flags, 0644)) {
    if (fd_ < 0)
      Fail("Cannot open", path);
  }
  ~Fd() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  /// Writes all the bytes at `offset`, or where the open flags put them when there is none.
  void WriteAll(std::string_view bytes, std::optional<off_t> offset) {
    while (!bytes.empty()) {
      ssize_t n = offset ? ::pwrite(fd_, bytes.data(), bytes.size(), *offset)
                         : ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR)
          continue;
        Fail("Cannot write", path_);
      }
      bytes.remove_prefix(static_cast<size_t>(n));
      if (offset)
        *offset += n;
    }
  }
  /// Flushes the file to stable storage and closes it.
  void SyncAndClose() {
    if (::fsync(fd_) != 0)
      Fail("Cannot flush", path_);
    Close();
  }
  /// Closes the file; a failure here may be the first report of a failed write.
  void Close() {
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
      Fail("Cannot close", path_);
  }
  int get() const { return fd_; }

 private:
  std::string path_;
  int fd_;
};

void WriteDurably(const std::string& path, int flags, std::string_view bytes,
                  std::optional<off_t> offset = std::nullopt) {
  Fd fd(path, flags);
  fd.WriteAll(bytes, offset);
  fd.SyncAndClose();
}

/// Flushes the directory entry of a file that was created, renamed or removed.
void SyncDirectoryOf(const std::string& path) {
  std::filesystem::path dir = std::filesystem::path(path).parent_path();
  std::string name = dir.empty() ? "." : dir.string();
  int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) {
    // A folder may grant writing and searching but not reading (mode -wx): then nothing can
    // flush its entries, and refusing every change there would make the folder unusable.
    // The file's own data is already on disk.
    if (errno == EACCES)
      return;
    Fail("Cannot open the folder", name);
  }
  int synced = ::fsync(fd);
  int error = errno;
  ::close(fd);  // a read-only descriptor of a folder has nothing left to lose
  if (synced != 0) {
    errno = error;
    Fail("Cannot flush the folder", name);
  }
}

/// The rest of the file: one read of the size the file has, then more should it have grown.
/// The string keeps an eighth more room so that a log read this way can be appended to
/// without being copied; a large block's pages that are never written cost no memory.
std::optional<std::string> ReadAll(int fd) {
  struct stat st;
  if (::fstat(fd, &st) != 0)
    return std::nullopt;
  std::size_t size = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 4095;
  std::string data;
  data.reserve(size + size / 8 + 1);
  data.resize(size + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == data.size())
      data.resize(data.size() * 2);
    ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return std::nullopt;
    if (n == 0)
      break;
    filled += static_cast<std::size_t>(n);
  }
  data.resize(filled);
  return data;
}

}  // namespace

std::optional<std::string> PosixFileSystem::ReadFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0)
    return std::nullopt;
  std::optional<std::string> data = ReadAll(fd);
  ::close(fd);
  return data;
}

void PosixFileSystem::WriteAt(const std::string& path, std::uint64_t offset,
                              std::string_view bytes) {
  WriteDurably(path, O_WRONLY, bytes, static_cast<off_t>(offset));
}

void PosixFileSystem::WriteAtUnsynced(const std::string& path, std::uint64_t offset,
                                      std::string_view bytes) {
  Fd fd(path, O_WRONLY);
  fd.WriteAll(bytes, static_cast<off_t>(offset));
  fd.Close();
}

void PosixFileSystem::Sync(const std::string& path) {
  // fsync flushes the file's dirty pages whichever descriptor wrote them.
  Fd fd(path, O_WRONLY);
  fd.SyncAndClose();
}

void PosixFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  WriteDurably(path, O_WRONLY | O_CREAT | O_TRUNC, bytes);
  SyncDirectoryOf(path);
}

void PosixFileSystem::WriteFileLike(const std::string& path, std::string_view bytes,
                                    const std::string& model) {
  struct stat st;
  bool has_model = ::stat(model.c_str(), &st) == 0;
  Fd fd(path, O_WRONLY | O_CREAT | O_TRUNC);
  // Set on the open file, so that the flush below covers the permissions too.
  if (has_model && ::fchmod(fd.get(), st.st_mode & 07777) != 0)
    Fail("Cannot set the permissions of", path);
  fd.WriteAll(bytes, std::nullopt);
  fd.SyncAndClose();
  SyncDirectoryOf(path);
}

void PosixFileSystem::Truncate(const std::string& path, std::uint64_t size) {
  Fd fd(path, O_WRONLY);
  if (::ftruncate(fd.get(), static_cast<off_t>(size)) != 0)
    Fail("Cannot truncate", path);
  fd.SyncAndClose();
}

void PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0)
    Fail("Cannot rename " + PathText(from) + " to", to);
  SyncDirectoryOf(to);
}

void PosixFileSystem::ReplaceUnsynced(const std::string& path, const std::string& temporary,
                                      std::string_view bytes) {
  Fd fd(temporary, O_WRONLY | O_CREAT | O_TRUNC);
  fd.WriteAll(bytes, std::nullopt);
  fd.Close();
  if (::rename(temporary.c_str(), path.c_str()) != 0)
    Fail("Cannot rename " + PathText(temporary) + " to", path);
}

void PosixFileSystem::LinkOrCopy(const std::string& from, const std::string& to) {
  Remove(to);
  // A symbolic link is followed, so that `to` holds the file's bytes as a copy would.
  if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    SyncDirectoryOf(to);
    return;
  }
  std::optional<std::string> data = ReadFile(from);
  if (!data)
    Fail("Cannot read", from);
  WriteFile(to, *data);
}

void PosixFileSystem::Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    Fail("Cannot delete", path);
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::SameFile(const std::string& a, const std::string& b) {
  struct stat sa;
  struct stat sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

std::string PosixFileSystem::LinkTarget(const std::string& path) {
  std::filesystem::path at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
      return at.string();
    std::error_code error;
    std::filesystem::path target = std::filesystem::read_symlink(at, error);
    if (error) {
      errno = error.value();
      Fail("Cannot read the link", at.string());
    }
    at = target.is_absolute() ? target : at.parent_path() / target;
  }
  errno = ELOOP;
  Fail("Cannot follow the links of", path);
}

bool PosixFileSystem::ReadOnly(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0)
    return false;
  // The superuser may write any file, but one that grants writing to nobody was made
  // read-only on purpose.
  return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::vector<std::string> PosixFileSystem::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
       !error && it != end; it.increment(error))
    names.push_back(it->path().filename().string());
  return names;
}

}  // namespace mirva
