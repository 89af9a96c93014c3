#pragma once

#include <string>
#include <string_view>

namespace mirva {

/// The Unicode code point of a Windows-1251 byte; the unassigned byte 0x98 reads as U+0098,
/// so that every byte survives a trip through Unicode.
char32_t Cp1251CodePoint(char byte);

/// The Windows-1251 byte of a code point, or '?' where the code page has none.
char Cp1251Byte(char32_t code_point);

std::string Cp1251ToUtf8(std::string_view text);

/// A character Windows-1251 cannot hold, or a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view text);

/// The text with its Latin and Cyrillic letters in upper case, as the upper-case entry fields
/// show what is typed.
std::string UpperCase(std::string_view text);

}  // namespace mirva
