#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mirva {

/// The Unicode code point of a Windows-1251 byte; the unassigned byte 0x98 reads as U+0098,
/// so that every byte survives a trip through Unicode.
char32_t Cp1251CodePoint(char byte);

/// The Windows-1251 byte of a code point, or '?' where the code page has none.
char Cp1251Byte(char32_t code_point);

std::string Cp1251ToUtf8(std::string_view text);

/// What NextCodePoint gives for a byte sequence that is not UTF-8.
inline constexpr char32_t kMalformedCodePoint = 0xFFFFFFFF;

/// Reads the UTF-8 sequence at text[pos] and moves pos past it. A malformed sequence gives
/// kMalformedCodePoint and moves pos past its longest well-formed start (at least one byte),
/// so that each broken sequence yields one replacement and the next character is read intact.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

/// Appends the code point's UTF-8 bytes.
void AppendUtf8(std::string& out, char32_t cp);

/// A character Windows-1251 cannot hold, or a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view text);

/// What keeps a UTF-8 text from converting exactly to Windows-1251.
enum class Utf8Fault {
  kNone,
  kMalformed,  ///< a byte sequence that is not UTF-8
  kNoByte,     ///< a character Windows-1251 has no byte for
};

/// The outcome of an exact conversion: the whole text, or the first fault and where it is.
struct CheckedCp1251 {
  std::string text;  ///< Windows-1251; only the part before the fault when there is one
  Utf8Fault fault = Utf8Fault::kNone;
  std::size_t offset = 0;   ///< the fault's first byte in the UTF-8 text
  char32_t code_point = 0;  ///< the character of a kNoByte fault
};

/// Converts UTF-8 to Windows-1251 without replacing anything: it stops at the first
/// malformed sequence or character the code page cannot hold.
CheckedCp1251 Utf8ToCp1251Checked(std::string_view text);

/// The text with its Latin and Cyrillic letters in upper case, as the upper-case entry fields
/// show what is typed.
std::string UpperCase(std::string_view text);

}  // namespace mirva
