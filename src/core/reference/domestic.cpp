#include "reference/domestic.h"

#include <cstddef>

#include "error.h"
#include "text/strings.h"

namespace mirva {

std::vector<TDomestic> ParseDomesticList(std::string_view text) {
  std::vector<TDomestic> list;
  for (std::string_view line : SplitLines(text)) {
    std::vector<std::string_view> words = SplitWords(line, " =", 2);
    TDomestic entry;
    if (!words.empty())
      entry.Code = words[0];
    if (words.size() > 1)
      entry.Name = words[1];
    list.push_back(std::move(entry));
  }
  return list;
}

int32_t TPointsTable::At(int row, int column) const {
  if (row < 1 || row > kZones || column < 1 || column > kZones)
    return 0;
  return cells[row - 1][column - 1];
}

void ParsePointsTable(std::string_view text, TPointsTable& table) {
  constexpr int kZones = TPointsTable::kZones;
  table = TPointsTable{};
  std::vector<std::string_view> lines = SplitLines(text);
  for (int r = 0; r < kZones; ++r) {
    std::vector<std::string_view> words;
    if (static_cast<std::size_t>(r) < lines.size())
      words = SplitWords(lines[r], " \t", kZones);
    for (int c = 0; c < kZones; ++c) {
      if (static_cast<std::size_t>(c) >= words.size())
        throw ConversionError("");
      table.cells[r][c] = StrToInt(words[c]);
    }
  }
}

}  // namespace mirva
