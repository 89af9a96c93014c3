#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// One line of a domestic list: a province or call-district code and its name or region.
struct TDomestic {
  std::string Code;
  std::string Name;

  bool operator==(const TDomestic&) const = default;
};

/// One entry per line, empty lines included: the first two words of the line, words being
/// maximal runs of characters other than ' ' and '='; further words are ignored.
std::vector<TDomestic> ParseDomesticList(std::string_view text);

/// QSO points by CQ zones: row is the own zone, column the worked station's zone.
struct TPointsTable {
  static constexpr int kZones = 40;
  std::array<std::array<int32_t, kZones>, kZones> cells{};  ///< cells[row - 1][column - 1]

  /// The cell at 1-based row and column; 0 for a row or column outside 1..kZones.
  int32_t At(int row, int column) const;
};

/// Zeroes the table, then fills it row by row from the first 40 lines, taking the first 40
/// words of each (words are separated by spaces and tabs). A missing line or number, or a word
/// that is not an integer, throws ConversionError at that cell; the cells before it stay filled.
void ParsePointsTable(std::string_view text, TPointsTable& table);

}  // namespace mirva
