#include "contest/mult_grid.h"

#include <algorithm>

#include "text/strings.h"

namespace mirva {

int MultColumns(int width) {
  constexpr int kScrollBarRoom = 15;
  return std::max(1, (width - kScrollBarRoom) / kMultCellWidth);
}

const TMultArray& SelectedMultList(const ContestState& state, int item) {
  return state.MultList(item >= 0 && item <= 2 ? item : 0);
}

MultGrid LayOutMults(const TMultArray& list, int band, int mode, int columns) {
  MultGrid grid;
  grid.Columns = std::max(1, columns);
  auto entries = static_cast<int>(list.size());
  grid.Rows = (entries + grid.Columns - 1) / grid.Columns;
  int slot = mode >= 0 && mode <= 2 ? mode : 0;
  unsigned bit = band >= 0 && band < 8 ? 1u << band : 0u;
  grid.Cells.reserve(static_cast<std::size_t>(grid.Rows) * grid.Columns);
  for (const TMultEntry& entry : list) {
    bool worked = (entry.Worked[slot] & bit) != 0;
    grid.Cells.push_back({entry.Name, worked});
    grid.WorkedCount += worked ? 1 : 0;
  }
  grid.Cells.resize(static_cast<std::size_t>(grid.Rows) * grid.Columns, MultCell{" ", false});
  return grid;
}

std::vector<std::string> MultListNames(const ContestState& state) {
  int count = state.Contest ? std::clamp(state.Contest->MultCount, 0, 3) : 0;
  std::vector<std::string_view> captions = SplitLines(state.MultCaptions);
  std::vector<std::string> names;
  for (int k = 0; k < count; ++k) {
    std::string_view caption = k < static_cast<int>(captions.size()) ? Trim(captions[k]) : "";
    names.push_back(caption.empty() ? "List " + std::to_string(k + 1) : std::string(caption));
  }
  return names;
}

}  // namespace mirva
