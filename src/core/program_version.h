#pragma once

#include <string_view>

namespace mirva {

/// The program's version as it is shown and written into the files it makes, e.g. "1.0 beta";
/// the build names it.
std::string_view ProgramVersion();

}  // namespace mirva
