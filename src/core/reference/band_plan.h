#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"

namespace mirva {

inline constexpr char kBandPlanFileName[] = "Bandplan.mrv";

/// The band plan: for each band its frequency range and the edges of the modes' sub-bands, as
/// a grid of free texts (Windows-1251). Row 0 holds the column titles, column 0 the bands.
class BandPlan {
 public:
  /// The most columns and rows a band-plan file may give the grid.
  static constexpr std::size_t kMaxColumns = 64;
  static constexpr std::size_t kMaxRows = 1024;

  /// A grid of that size with every cell empty.
  BandPlan(std::size_t columns, std::size_t rows);

  std::size_t Columns() const { return columns_; }
  std::size_t Rows() const { return rows_; }
  /// The text of the cell; empty outside the grid.
  const std::string& Cell(std::size_t column, std::size_t row) const;
  /// Sets the cell, growing the grid to hold it. TAB, CR and LF become blanks: the file
  /// separates cells and rows by them.
  void SetCell(std::size_t column, std::size_t row, std::string_view text);
  /// Makes the grid at least this large; the new cells are empty.
  void Grow(std::size_t columns, std::size_t rows);

  bool operator==(const BandPlan&) const = default;

 private:
  std::size_t columns_;
  std::size_t rows_;
  std::vector<std::string> cells_;  ///< row by row
};

/// The grid a station starts with: 6 columns, the titles "Start freq", "End freq", "CW", "SSB"
/// and "DIGI", and the bands 160, 80, 40, 20, 15 and 10 below them.
BandPlan InitialBandPlan();

/// The band-plan file's cells over the initial grid. Line r (lines end in CR LF, LF or CR)
/// gives row r; each piece of it that a TAB ends is a cell from column 0 on, and so is a last
/// piece without one. The grid grows to hold every cell; nothing when it would grow past
/// kMaxColumns or kMaxRows.
std::optional<BandPlan> ParseBandPlan(std::string_view bytes);

/// The file of the grid: a line per row, each cell followed by a TAB, each line by CR LF.
/// ParseBandPlan gives the grid back.
std::string BandPlanText(const BandPlan& plan);

/// Where the band plan is read and written, given where kBandPlanFileName would be: that file
/// when it exists, else a file of the same folder whose name differs from it in letter case
/// only (the first in byte order), else `path` itself. Reading and writing therefore meet in
/// one file whatever case a copy from another system gave its name.
std::string BandPlanPath(FileSystem& fs, const std::string& path);

/// The band plan of BandPlanPath; the initial grid when the file is missing, unreadable or
/// too large.
BandPlan ReadBandPlan(FileSystem& fs, const std::string& path);

/// Replaces the file of BandPlanPath by the grid: the bytes go to a temporary file beside it,
/// which is renamed over it once flushed, so the file is the old or the whole new one; a link
/// is followed, and the new file keeps the old one's permissions. Throws IoError when it cannot
/// be written, with the file left as it was.
void WriteBandPlan(FileSystem& fs, const std::string& path, const BandPlan& plan);

}  // namespace mirva
