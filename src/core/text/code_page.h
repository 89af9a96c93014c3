#pragma once

#include <array>
#include <cstddef>

namespace mirva {

/// A single-byte code page whose lower half is ASCII, given by the code points of the bytes
/// 0x80 to 0xFF.
using UpperHalf = std::array<char32_t, 128>;

constexpr char32_t CodePointOf(const UpperHalf& table, char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b < 0x80 ? b : table[b - 0x80];
}

/// The byte of a code point, or '?' where the code page has none.
constexpr char ByteOf(const UpperHalf& table, char32_t code_point) {
  if (code_point < 0x80)
    return static_cast<char>(code_point);
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == code_point)
      return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace mirva
