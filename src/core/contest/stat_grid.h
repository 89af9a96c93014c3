#pragma once

#include <array>
#include <string>

namespace mirva {

struct TContest;

/// The statistics grid: 7 columns by 4 rows; row 0 holds the band names from column 1,
/// column 0 the mode names from row 1, so six bands and three modes are visible.
struct StatGrid {
  static constexpr int kColumns = 7;
  static constexpr int kRows = 4;
  std::array<std::array<std::string, kRows>, kColumns> cells;  ///< cells[column][row]

  /// Sets every cell to a single blank.
  void Blank();
  /// Writes the contest's bands and modes into the header row and column, as far as they fit.
  void WriteHeaders(const TContest& contest);
};

}  // namespace mirva
