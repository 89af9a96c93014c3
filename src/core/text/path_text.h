#pragma once

#include <string>
#include <string_view>

namespace mirva {

/// A file path as it goes into a text for the operator. Paths are UTF-8 at the operating
/// system's boundary and operator texts are Windows-1251, so every path that a message names
/// passes through here; a character Windows-1251 cannot hold, or a malformed UTF-8 sequence,
/// becomes '?'.
std::string PathText(std::string_view utf8_path);

}  // namespace mirva
