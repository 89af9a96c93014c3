#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mirva {

// Paths are UTF-8 text in the core. A std::filesystem::path made from a plain std::string is
// read in the system's narrow code page, which on Windows is the ANSI one and garbles every
// letter outside it; these read and write the text as UTF-8 on every system.

std::filesystem::path Utf8Path(std::string_view utf8);
std::string Utf8Text(const std::filesystem::path& path);

/// The file `name` in the folder `dir`, with the system's separator; `name` alone when `dir`
/// is empty.
std::string JoinPath(std::string_view dir, std::string_view name);

/// The folder part of the path; empty for a bare file name.
std::string ParentPath(std::string_view path);

/// The last part of the path.
std::string FileNameOf(std::string_view path);

}  // namespace mirva
