#pragma once

#include <string>
#include <string_view>

namespace mirva {

// Report files are written in the OEM code page 866; these convert between it and the
// Windows-1251 text of the core.

char32_t Oem866CodePoint(char byte);

/// The code page 866 byte of a code point, or '?' where the code page has none.
char Oem866Byte(char32_t code_point);

/// ASCII passes through unchanged; a character code page 866 lacks becomes '?'.
std::string Cp1251ToOem866(std::string_view text);

/// ASCII passes through unchanged; a character Windows-1251 lacks (box drawing) becomes '?'.
std::string Oem866ToCp1251(std::string_view text);

}  // namespace mirva
