#pragma once

#include <string>
#include <string_view>

namespace mirva {

/// A file path as it goes into a text for the operator. Paths are UTF-8 at the operating
/// system's boundary and operator texts are Windows-1251, so every path that a message names
/// passes through here; a character Windows-1251 cannot hold, or a malformed UTF-8 sequence,
/// becomes '?'.
std::string PathText(std::string_view utf8_path);

/// A file name with ASCII letters in lower case: names compare so, as on the file systems of
/// Windows and macOS, where "cty.dat" is the country file.
std::string FoldedName(std::string_view name);

}  // namespace mirva
