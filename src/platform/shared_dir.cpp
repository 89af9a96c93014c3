#include "shared_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <filesystem>
#include <system_error>
#endif

namespace mirva {

#ifdef _WIN32

std::string SharedDirectory() {
  char path[MAX_PATH];
  UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string("C:\\Windows");
}

#else

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string SharedDirectory() {
  std::string dir = Environment("MIRVA_SHARED_DIR");
  if (dir.empty()) {
    // A relative XDG_DATA_HOME is ignored, as the XDG rules ask.
    std::string data = Environment("XDG_DATA_HOME");
    if (!data.starts_with('/'))
      data = Environment("HOME") + "/.local/share";
    dir = data + "/mirva-shared";
  }
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return dir;
}

#endif

}  // namespace mirva
