#include "win32_file_system.h"

#ifdef _WIN32

#include <windows.h>

#include "error.h"
#include "text/path_text.h"
#include "win32_text.h"

namespace mirva {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path,
                       DWORD code = GetLastError()) {
  throw IoError(what + " " + PathText(path) + ": " + WindowsErrorText(code));
}

// Others may read, write, rename or delete a file while it is open here, as on POSIX.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

/// An open file handle, closed when it goes out of scope.
class File {
 public:
  File(const std::string& path, DWORD access, DWORD disposition) : path_(path) {
    handle_ = CreateFileW(WidePath(path).c_str(), access, kShareAll, nullptr, disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
      Fail("Cannot open", path);
  }
  ~File() {
    if (handle_ != INVALID_HANDLE_VALUE)
      CloseHandle(handle_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  /// Writes all the bytes at `offset`, or at the current position when there is none.
  void WriteAll(std::string_view bytes, std::optional<std::uint64_t> offset) {
    if (offset)
      Seek(*offset);
    while (!bytes.empty()) {
      DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!::WriteFile(handle_, bytes.data(), chunk, &written, nullptr))
        Fail("Cannot write", path_);
      bytes.remove_prefix(written);
    }
  }
  void Seek(std::uint64_t offset) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN))
      Fail("Cannot seek in", path_);
  }
  /// Flushes the file to stable storage and closes it.
  void SyncAndClose() {
    if (!FlushFileBuffers(handle_))
      Fail("Cannot flush", path_);
    Close();
  }
  void Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle))
      Fail("Cannot close", path_);
  }
  HANDLE get() const { return handle_; }

 private:
  std::string path_;
  HANDLE handle_;
};

void WriteNew(const std::string& path, std::string_view bytes, bool sync) {
  File file(path, GENERIC_WRITE, CREATE_ALWAYS);
  file.WriteAll(bytes, std::nullopt);
  if (sync)
    file.SyncAndClose();
  else
    file.Close();
}

void Move(const std::string& from, const std::string& to, DWORD flags) {
  if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), flags))
    Fail("Cannot rename " + PathText(from) + " to", to);
}

/// The volume and file number of what `path` names, a folder too; false when it is not there.
bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE handle = CreateFileW(WidePath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  return known;
}

}  // namespace

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return std::nullopt;
  LARGE_INTEGER size;
  std::optional<std::string> data;
  if (GetFileSizeEx(handle, &size)) {
    // A file that grows while it is read is read to its new end.
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
      if (filled == bytes.size())
        bytes.resize(bytes.size() * 2);
      std::size_t room = bytes.size() - filled;
      DWORD read = 0;
      if (!::ReadFile(handle, bytes.data() + filled,
                      room > (1u << 30) ? (1u << 30) : static_cast<DWORD>(room), &read, nullptr))
        break;
      if (read == 0) {
        bytes.resize(filled);
        data = std::move(bytes);
        break;
      }
      filled += read;
    }
  }
  CloseHandle(handle);
  return data;
}

void Win32FileSystem::WriteAt(const std::string& path, std::uint64_t offset,
                              std::string_view bytes) {
  File file(path, GENERIC_WRITE, OPEN_EXISTING);
  file.WriteAll(bytes, offset);
  file.SyncAndClose();
}

void Win32FileSystem::WriteAtUnsynced(const std::string& path, std::uint64_t offset,
                                      std::string_view bytes) {
  File file(path, GENERIC_WRITE, OPEN_EXISTING);
  file.WriteAll(bytes, offset);
  file.Close();
}

void Win32FileSystem::Sync(const std::string& path) {
  // FlushFileBuffers writes out the file's cached data whichever handle wrote it.
  File file(path, GENERIC_WRITE, OPEN_EXISTING);
  file.SyncAndClose();
}

void Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  WriteNew(path, bytes, true);
}

void Win32FileSystem::Truncate(const std::string& path, std::uint64_t size) {
  File file(path, GENERIC_WRITE, OPEN_EXISTING);
  file.Seek(size);
  if (!SetEndOfFile(file.get()))
    Fail("Cannot truncate", path);
  file.SyncAndClose();
}

void Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  Move(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Win32FileSystem::ReplaceUnsynced(const std::string& path, const std::string& temporary,
                                      std::string_view bytes) {
  WriteNew(temporary, bytes, false);
  Move(temporary, path, MOVEFILE_REPLACE_EXISTING);
}

void Win32FileSystem::LinkOrCopy(const std::string& from, const std::string& to) {
  Remove(to);
  if (CreateHardLinkW(WidePath(to).c_str(), WidePath(from).c_str(), nullptr))
    return;
  std::optional<std::string> data = ReadFile(from);
  if (!data)
    Fail("Cannot read", from);
  WriteFile(to, *data);
}

void Win32FileSystem::Remove(const std::string& path) {
  if (DeleteFileW(WidePath(path).c_str()))
    return;
  DWORD code = GetLastError();
  if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
    Fail("Cannot delete", path, code);
}

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia;
  BY_HANDLE_FILE_INFORMATION ib;
  return Identity(a, ia) && Identity(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

bool Win32FileSystem::ReadOnly(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  // The read-only mark of a folder only tells Explorer to look for a desktop.ini.
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::vector<std::string> Win32FileSystem::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  std::wstring pattern = WidePath(folder.empty() ? "." : folder) + L"\\*";
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..")
      names.push_back(Utf8FromWide(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace mirva

#endif
