#pragma once

#ifdef _WIN32
#include "win32_file_system.h"
#else
#include "posix_file_system.h"
#endif

namespace mirva {

/// The files of the system the program runs on.
#ifdef _WIN32
using NativeFileSystem = Win32FileSystem;
#else
using NativeFileSystem = PosixFileSystem;
#endif

}  // namespace mirva
