#pragma once

#include <string>
#include <vector>

#include "contest/contest_state.h"
#include "contest/mult_list.h"

namespace mirva {

/// One cell of the multipliers grid.
struct MultCell {
  std::string Name;  ///< " " for the cells that fill out the last row
  bool Worked = false;

  bool operator==(const MultCell&) const = default;
};

/// A multiplier list laid out row by row for one band and mode.
struct MultGrid {
  int Columns = 1;
  int Rows = 0;
  std::vector<MultCell> Cells;  ///< Rows x Columns, row by row
  int WorkedCount = 0;
};

inline constexpr int kMultCellWidth = 46;

/// How many cells of kMultCellWidth pixels a grid this wide shows in a row, room for a scroll
/// bar kept; at least 1.
int MultColumns(int width);

/// The list a selector item shows: items 0 to 2 are lists 1 to 3, any other item list 1.
const TMultArray& SelectedMultList(const ContestState& state, int item);

/// Lays `list` out in `columns` columns (at least 1). An entry counts as worked when its
/// mask for `mode` (slots 0 to 2, any other mode slot 0) has the bit of `band`; a band
/// outside 0 to 7 has none.
MultGrid LayOutMults(const TMultArray& list, int band, int mode, int columns);

/// One name per list of the contest: the caption line of that list, or "List k" where the
/// captions run out or the line is blank.
std::vector<std::string> MultListNames(const ContestState& state);

}  // namespace mirva
