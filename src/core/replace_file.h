#pragma once

#include <string>
#include <string_view>

namespace mirva {

class FileSystem;

/// The hidden file beside `path` that a replacement is written to first.
std::string PartialPathFor(const std::string& path);

/// Puts `bytes` in the place of the file at `path`: written to PartialPathFor(path) with the
/// permissions of the old file, flushed and renamed over it, so the file is always either the
/// old one or the whole new one. Throws IoError "<failure> <path>: <reason>" when it fails,
/// with the partial file removed and the old file untouched.
void ReplaceFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                 std::string_view failure);

}  // namespace mirva
