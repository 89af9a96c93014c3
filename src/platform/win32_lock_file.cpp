#include <windows.h>

#include "error.h"
#include "lock_file.h"
#include "text/path_text.h"
#include "win32_text.h"

namespace mirva {

namespace {

// The lock covers one byte far past anything the file holds: LockFileEx keeps others from
// reading the bytes it covers, and readers must still see the holder's name.
constexpr DWORD kLockedByteHigh = 0x7FFFFFFF;

HANDLE Handle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

LockFile::LockFile(const std::string& path) : path_(path) {
  HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    throw IoError("Cannot open the lock file " + PathText(path) +
                  ", which a change of the log needs: " + WindowsErrorText(GetLastError()));
  handle_ = reinterpret_cast<std::intptr_t>(handle);
}

LockFile::~LockFile() {
  // Closing the handle lets the lock go.
  CloseHandle(Handle(handle_));
}

bool LockFile::TryLock() {
  OVERLAPPED at{};
  at.OffsetHigh = kLockedByteHigh;
  if (LockFileEx(Handle(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                 &at))
    return true;
  DWORD code = GetLastError();
  if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING)
    return false;
  throw IoError("Cannot lock " + PathText(path_) + ": " + WindowsErrorText(code));
}

void LockFile::Rewrite(std::string_view text) {
  HANDLE handle = Handle(handle_);
  LARGE_INTEGER start{};
  DWORD written = 0;
  if (SetFilePointerEx(handle, start, nullptr, FILE_BEGIN) &&
      ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size())
    SetEndOfFile(handle);
}

std::string ReadLockFile(const std::string& path) {
  HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return {};
  char buffer[512];
  DWORD read = 0;
  bool ok = ::ReadFile(handle, buffer, sizeof buffer, &read, nullptr) != 0;
  CloseHandle(handle);
  return ok ? std::string(buffer, read) : std::string();
}

bool ProcessRunning(long pid) {
  if (pid <= 0)
    return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr)
    return GetLastError() == ERROR_ACCESS_DENIED;  // there, but another user's
  DWORD code = 0;
  bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}

long CurrentProcessId() {
  return static_cast<long>(GetCurrentProcessId());
}

}  // namespace mirva
