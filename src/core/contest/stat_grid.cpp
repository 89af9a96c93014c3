#include "contest/stat_grid.h"

#include "contest/contest.h"

namespace mirva {

void StatGrid::Blank() {
  for (auto& column : cells)
    column.fill(" ");
}

void StatGrid::WriteHeaders(const TContest& contest) {
  for (std::size_t i = 0; i < contest.Bands.size() && i + 1 < kColumns; ++i)
    cells[i + 1][0] = contest.Bands[i];
  for (std::size_t i = 0; i < contest.Modes.size() && i + 1 < kRows; ++i)
    cells[0][i + 1] = contest.Modes[i];
}

}  // namespace mirva
