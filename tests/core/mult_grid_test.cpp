#include "contest/mult_grid.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace mirva {
namespace {

// Zones "01" to "n", none worked.
TMultArray Zones(int n) {
  TMultArray list;
  for (int z = 1; z <= n; ++z)
    AddMult(list, (z < 10 ? "0" : "") + std::to_string(z));
  return list;
}

TEST(MultGridLayout, RowsAndBlanks) {
  struct Case {
    int entries;
    int columns;
    int rows;
    int blanks;
  };
  const Case kCases[] = {
      {40, 9, 5, 5},  // the last row holds 4 names
      {18, 9, 2, 0},  // an exact fill leaves no blank
      {0, 9, 0, 0},   // an empty list has no rows
      {3, 0, 3, 0},   // no room for a column still shows one
      {1, 9, 1, 8},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.entries) + " in " + std::to_string(c.columns));
    TMultArray zones = Zones(c.entries);
    MultGrid grid = LayOutMults(zones, 0, 0, c.columns);
    ASSERT_EQ(grid.Rows, c.rows);
    ASSERT_EQ(grid.Cells.size(), static_cast<std::size_t>(grid.Rows * grid.Columns));
    for (int i = 0; i < c.entries; ++i)
      EXPECT_EQ(grid.Cells[i].Name, zones[i].Name);
    for (std::size_t i = c.entries; i < grid.Cells.size(); ++i)
      EXPECT_EQ(grid.Cells[i], (MultCell{" ", false}));
    EXPECT_EQ(static_cast<int>(grid.Cells.size()) - c.entries, c.blanks);
  }
}

TEST(MultGridLayout, WorkedByBandBitAndModeSlot) {
  constexpr int k20 = 3;  // "20" among 160 80 40 20 15 10
  constexpr int k15 = 4;
  struct Case {
    const char* what;
    std::array<uint8_t, 4> mask;
    int band;
    int mode;
    bool worked;
  };
  const Case kCases[] = {
      {"20 in the first mode, shown on 20", {1 << k20}, k20, 0, true},
      {"20 in the first mode, shown on 15", {1 << k20}, k15, 0, false},
      {"20 in the first mode, shown in the second", {1 << k20}, k20, 1, false},
      {"third mode has its own slot", {0, 0, 1 << k20}, k20, 2, true},
      {"a fourth mode reads the first slot", {1 << k20}, k20, 3, true},
      {"the fourth slot is never read", {0, 0, 0, 1 << k20}, k20, 3, false},
      {"no mode reads the first slot", {1 << k20}, k20, -1, true},
      {"worked once counts on every band", {0xFF}, 7, 0, true},
      {"no band has no bit", {0xFF}, -1, 0, false},
      {"a ninth band has no bit", {0xFF}, 8, 0, false},
  };
  for (const Case& c : kCases) {
    TMultArray list = Zones(2);
    list[1].Worked = c.mask;
    MultGrid grid = LayOutMults(list, c.band, c.mode, 9);
    EXPECT_FALSE(grid.Cells[0].Worked) << c.what;
    EXPECT_EQ(grid.Cells[1].Worked, c.worked) << c.what;
    EXPECT_EQ(grid.WorkedCount, c.worked ? 1 : 0) << c.what;
  }
}

TEST(MultGridSelection, NamesFillMissingCaptions) {
  struct Case {
    const char* captions;
    int count;
    std::vector<std::string> names;
  };
  const Case kCases[] = {
      {"DXCC\r\nCQ zones", 2, {"DXCC", "CQ zones"}},
      {"", 1, {"List 1"}},
      {"DXCC", 3, {"DXCC", "List 2", "List 3"}},
      {"DXCC\r\n \r\nProvinces", 3, {"DXCC", "List 2", "Provinces"}},
      {"DXCC\r\nCQ zones", 1, {"DXCC"}},
      {"DXCC", 0, {}},
  };
  for (const Case& c : kCases) {
    ContestState state;
    state.Contest.emplace().MultCount = c.count;
    state.MultCaptions = c.captions;
    EXPECT_EQ(MultListNames(state), c.names) << c.captions;
  }
  EXPECT_TRUE(MultListNames(ContestState{}).empty());
}

}  // namespace
}  // namespace mirva
